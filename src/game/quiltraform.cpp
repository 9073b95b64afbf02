#include "quiltraform.h"

#include <shellapi.h>

#include <vector>

#include "core/pathtext.h"
#include "core/statusframe.h"
#include "forms/application.h"
#include "game/aboutform.h"
#include "game/filelocations.h"
#include "game/identity.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/picture.h"
#include "platform/program.h"

namespace {

// Games an older version kept next to an installed program go to the
// player's games folder; only a copy that fails is told.
void CarryGamesToThePlayer() {
  STATUS_FRAME("CarryGamesToThePlayer");
  frame.Run([&] {
    // Said once a start, not at every save that would go astray.
    const std::string unusable = UnusableUserFolder();
    if (!unusable.empty())
      ErrorDialog("Options and games cannot be kept in \"" + unusable +
                  "\": this system's character set cannot hold its name, and it has no short "
                  "form. " +
                  (CanWriteInDirectory(GetProgramDirectory())
                       ? "They are kept next to the program, in \"" + GetProgramDirectory() + "\"."
                       : std::string("The program's own folder cannot be written either, so "
                                     "options and games cannot be saved.")));
    const std::vector<std::string> failed = CarryGamesOver();
    if (!failed.empty())
      frame.Raise(__LINE__, "Failed to copy file.", failed.front(), GamesFolderPath());
  });
  frame.ShowStep(__LINE__, "Failed to copy the saved games to the games folder.");
}

std::vector<std::string> GridCountItems() {
  std::vector<std::string> items;
  for (int count = kMinGridCount; count <= kMaxGridCount; ++count)
    items.push_back(std::to_string(count));
  return items;
}

}  // namespace

TQuiltraForm::TQuiltraForm(const TGdiplusSession& /*gdiplus*/)
    : TForm(TFormStyle{"TQuiltraForm", 760, 522, true}, "Quiltra game") {
  CreateComponents();
  CreateMainMenu();

  PictureExtensions.clear();
  LastGameTitle.clear();
  Application->OnException = [](const std::string& message) {
    TFunStatContext::OnApplicationException(message);
  };
  Application->HintPause = 400;
  Application->HintHidePause = 100000;
  Application->HintShortPause = 200;
  Application->HelpFile = GetProgramFilePath("Help.hlp");
  PositionLabel->SetCaption("");
  SetTips(kTipsLoad);
  // A new game: its whole map at home, the default grid chosen.
  ShowCounters();
  ColumnsCountComboBox->SelectText(std::to_string(kDefaultGridCount));
  RowsCountComboBox->SelectText(std::to_string(kDefaultGridCount));
  // The first picture dialog opens in the player's pictures folder.
  session_.SetPictureTitle(AddPathDelimiter(GetPicturesPath()) + "*");
  PictureExtensions = GetPictureExtensionsAsFilter();
  LoadPictureDialog.Filter = "Picture (" + PictureExtensions + ")|" + PictureExtensions;
  LoadGameDialog.Filter = "Quiltra game (*.qtg)|*.qtg";
  LoadGameDialog.FileName = GamesDirectory() + "*.qtg";
  SaveGameDialog.Filter = LoadGameDialog.Filter;
  SaveGameDialog.DefaultExtension = "qtg";
  SaveGameDialog.FileName = LastGameTitle = LoadGameDialog.FileName;
  GameList = std::make_unique<TStoredTextList>(GetProgramFilePath(""));
  // A game file is read and checked by LoadGameFrom itself.
  GameList->OnSave = [this](TStoredTextList& list) {
    WriteGameFile(list.EditContents(), Game(), session_.Settings().LightGrid, PictureTitle());
  };
}

TQuiltraForm::~TQuiltraForm() = default;

std::string TQuiltraForm::GamesDirectory() const {
  return GamesFolderPath();
}

void TQuiltraForm::CreateComponents() {
  SetFont(Application->GetFont("Arial", 12));

  // clang-format off
  //                                                       left  top  width height
  MainPanel = Add<TPanel>(                                    5,  10,  340,  175);
  TipsLabel = MainPanel->Add<TLabel>(                        10,  10);
  ColumnsCountLabel = MainPanel->Add<TLabel>(                10,  35, "Columns");
  ColumnsCountComboBox = MainPanel->Add<TComboBox>(          65,  30,   50,   20, GridCountItems());
  AllowFlipCheckBox = MainPanel->Add<TCheckBox>(            130,  35, "Allow &flipping pieces");
  RowsCountLabel = MainPanel->Add<TLabel>(                   10,  60, "Rows");
  RowsCountComboBox = MainPanel->Add<TComboBox>(             65,  55,   50,   20, GridCountItems());
  LightGridCheckBox = MainPanel->Add<TCheckBox>(            130,  60, "Light &grid");
  PositionLabel = MainPanel->Add<TLabel>(                    10,  90);
  MovesCountLabel = MainPanel->Add<TLabel>(                  10, 110);
  WrongMovesLabel = MainPanel->Add<TLabel>(                  10, 130);
  RemainingCountLabel = MainPanel->Add<TLabel>(              10, 150);
  OriginalPictureGroupBox = Add<TGroupBox>(                   5, 189,  340,  285, "Original picture");
  OriginalPictureImage = OriginalPictureGroupBox->Add<TImage>(5,  20,  330,  255);
  PuzzlePictureGroupBox = Add<TGroupBox>(                   350,   5,  405,  470, "Puzzle picture");
  PuzzlePictureImage = PuzzlePictureGroupBox->Add<TImage>(    5,  20,  395,  440);
  BackupPictureImage = PuzzlePictureGroupBox->Add<TImage>(  100,  10,   30,   30);
  // clang-format on
  // (The choosers are 50 wide and show 20 items when dropped down.)
  MainPanel->SetTabOrder(
      {ColumnsCountComboBox, RowsCountComboBox, AllowFlipCheckBox, LightGridCheckBox});

  AttachSettingsHandlers();
  PuzzlePictureGroupBox->OnMouseMove = [this](TShiftState shift, int x, int y) {
    PuzzlePictureGroupBoxMouseMove(shift, x, y);
  };
  OriginalPictureGroupBox->OnMouseMove = [this](TShiftState shift, int x, int y) {
    OriginalPictureGroupBoxMouseMove(shift, x, y);
  };
  OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
  OnDpiChanged = [this] { FormDpiChanged(); };
  OnMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_TIMER && wParam == kRecoveryTimer) {
      KeepRecoveryCopy();
      return true;
    }
    if (message == kOfferRecoveryMessage) {
      OfferRecoveredGame();
      return true;
    }
    return HandleOpening(message, wParam, lParam, result);
  };
  DragAcceptFiles(Handle(), TRUE);
  // Magnifier and screen readers name the views by their texts.
  OriginalPictureImage->SetCaption("Original picture");
  PuzzlePictureImage->SetCaption("Puzzle picture");
}

void TQuiltraForm::CreateMainMenu() {
  TMainMenu* menu = CreateMenu();
  WorkMenu = menu->Add("&Work");
  LoadPictureMenu = WorkMenu->Add("Load picture", "F5", [this] { LoadPictureMenuClick(); });
  ReloadCurrentPictureMenu = WorkMenu->Add("Reload current picture", "Ctrl+F5",
                                           [this] { ReloadCurrentPictureMenuClick(); });
  OpenPictureMenu = WorkMenu->Add("Open picture", "R", [this] { OpenPictureMenuClick(); });
  PastePictureMenu = WorkMenu->Add("Paste picture", "Ctrl+V", [this] { PastePictureMenuClick(); });
  WorkMenu->AddSeparator();
  LoadLastGameMenu = WorkMenu->Add("Load last game", "Ctrl+Z", [this] { LoadLastGameMenuClick(); });
  LoadGameMenu = WorkMenu->Add("Load game", "L", [this] { LoadGameMenuClick(); });
  SaveGameMenu = WorkMenu->Add("Save game", "S", [this] { SaveGameMenuClick(); });
  WorkMenu->AddSeparator();
  UndoMenu = WorkMenu->Add("Undo", "U", [this] { UndoMenuClick(); });
  UndoMenu->MoreShortCuts = {ShortCut("Alt+Backspace")};
  RedoMenu = WorkMenu->Add("Redo", "Ctrl+Y", [this] { RedoMenuClick(); });
  WorkMenu->AddSeparator();
  HideMeu = WorkMenu->Add("Hide", "Space", [this] { HideMeuClick(); });
  RandomizeMenu = menu->Add("&Randomize", "", [this] { RandomizeMenuClick(); });
  DownloadPicturesMenu =
      menu->Add("Down&load pictures", "", [this] { DownloadPicturesMenuClick(); });
  HelpMenu = menu->Add("&Help", "", [this] { HelpMenuClick(); });
  AboutMenu = menu->Add("&About", "", [this] { AboutMenuClick(); });
  AboutMenu->Hint = "Display information about the program";
  AttachMenu();
}

void TQuiltraForm::BeforeRun(TAboutForm& about) {
  STATUS_FRAME("TQuiltraForm::BeforeRun");
  frame.Run([&] {
    about_ = &about;
    about.ProgramNameLabel->SetCaption(kProgramName);
    about.ProgramVersionLabel->SetCaption(kProgramVersion);
    SetLastError(0);
    CreateDirectoryA(GamesDirectory().c_str(), nullptr);
    CarryGamesToThePlayer();
    OptionsList = std::make_unique<TStoredTextList>(OptionsFilePath());
    OptionsList->OnLoad = [this](TStoredTextList& list) { ReadOptions(list); };
    OptionsList->OnSave = [this](TStoredTextList& list) { WriteOptions(list); };
    // An unreadable options file is shown by the list; the window starts
    // with the defaults all the same.
    (void)OptionsList->Load();
    ArrangeWindow();
    // Once the window shows: a game left unsaved is offered back first.
    StartKeepingRecovery();
    PostMessageA(Handle(), kOfferRecoveryMessage, 0, 0);
    // "Quiltra.exe <file>", as the shell starts it for a saved game.
    const std::string file = GetProgramParameter(1);
    if (!file.empty()) OpenLater(GetFullPath(file));
  });
  frame.ShowStep(__LINE__, "Failed to prepare main window.");
}
