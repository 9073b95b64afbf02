// Games and options on the real main window in process: what a game file
// holds, reading it back, the save question, and loads that must fail
// without touching the game on screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/testpicture.h"
#include "core/funstat.h"
#include "core/geometry.h"
#include "tests/support/boards.h"
#include "platform/textfile.h"
#include "testsupport.h"

namespace {

// Answers the file dialog with this caption from a helper thread: types the
// path and confirms, or cancels when the path is empty.
class TFileDialogAnswerer {
 public:
  TFileDialogAnswerer(const std::string& caption, const std::string& path)
      : answerer_(caption, path.empty() ? IDCANCEL : IDOK, [path](HWND dialog) {
          if (path.empty()) return;
          HWND edit = test::FileNameField(dialog);
          // The dialog may still be putting its proposal in: type until the
          // path stays.
          for (int tries = 0; tries < 20; ++tries) {
            SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
            Sleep(50);
            char text[MAX_PATH] = {};
            GetWindowTextA(edit, text, sizeof text);
            if (path == text) break;
          }
        }) {}

 private:
  test::TDialogAnswerer answerer_;
};

// Answers this process's "Query" boxes one after the other with the buttons
// given, from a helper thread, and keeps their questions.
class TQueryAnswers : public test::TDialogAnswerer {
 public:
  explicit TQueryAnswers(std::vector<int> buttons) : TDialogAnswerer("Query", std::move(buttons)) {}
};

const char* const SaveQuestion = "The game has been modified. Save it?";

// Everything of the current game that a failed load must leave alone.
struct TScene {
  TBoard Board;
  TPieceSize Piece;
  std::string PictureTitle, LastGameTitle, Caption, Columns, Rows;
  bool LightGrid = false;
  std::string Moves, WrongMoves, Remaining, Tips;
  std::vector<uint32_t> Puzzle, Original, Backup;
};

std::vector<uint32_t> Pixels(const TImage* image) {
  std::vector<uint32_t> pixels;
  if (!image) return pixels;
  const TPixelView view = image->Canvas();
  for (int y = 0; y < view.Height; ++y)
    pixels.insert(pixels.end(), view.Row(y), view.Row(y) + view.Width);
  pixels.push_back(uint32_t(view.Width));
  return pixels;
}

class GameFilesTest : public test::TGameWindowTest {
 protected:
  void SetUp() override {
    TGameWindowTest::SetUp();
    pieceWidth_ = form_->Piece().Width;
    pieceHeight_ = form_->Piece().Height;
    // The dialogs open in the test's folder, never next to the tests.
    form_->LoadGameDialog.FileName = form_->SaveGameDialog.FileName = folder_.Path() + "*.qtg";
  }

  const TBoard& Board() const { return form_->Board(); }

  // A known arrangement: a swap, a three-cycle, a far swap and two mirrored
  // pieces, with counters, as if played.
  void Misplace() {
    form_->Swap({0, 0}, {1, 0});
    form_->Swap({0, 2}, {1, 2});
    form_->Swap({1, 2}, {2, 2});
    form_->Swap({6, 6}, {3, 4});
    form_->Flip({0, 0}, TFlip::Horizontally);
    form_->Flip({6, 6}, TFlip::Vertically);
    form_->DrawGrids(false);
    form_->SetCounters(5, 2);
    ASSERT_TRUE(Board().GameModified);
  }

  TScene Scene() const {
    TScene scene;
    scene.Board = form_->Board();
    scene.Piece = form_->Piece();
    scene.PictureTitle = form_->PictureTitle();
    scene.LastGameTitle = form_->LastGameTitle;
    scene.Caption = form_->Caption();
    scene.Columns = form_->ColumnsCountComboBox->Text();
    scene.Rows = form_->RowsCountComboBox->Text();
    scene.LightGrid = form_->LightGridCheckBox->Checked();
    scene.Moves = form_->MovesCountLabel->Caption();
    scene.WrongMoves = form_->WrongMovesLabel->Caption();
    scene.Remaining = form_->RemainingCountLabel->Caption();
    scene.Tips = form_->TipsLabel->Caption();
    scene.Puzzle = Pixels(form_->PuzzlePictureImage);
    scene.Original = Pixels(form_->OriginalPictureImage);
    scene.Backup = Pixels(form_->BackupPictureImage);
    return scene;
  }

  void ExpectScene(const TScene& expected) const {
    const TScene now = Scene();
    const TBoard &a = expected.Board, &b = now.Board;
    EXPECT_EQ(b.ColumnsCount, a.ColumnsCount);
    EXPECT_EQ(b.RowsCount, a.RowsCount);
    EXPECT_EQ(now.Piece.Width, expected.Piece.Width);
    EXPECT_EQ(now.Piece.Height, expected.Piece.Height);
    EXPECT_EQ(b.ResultedColumns, a.ResultedColumns);
    EXPECT_EQ(b.ResultedRows, a.ResultedRows);
    EXPECT_EQ(b.MovesCount, a.MovesCount);
    EXPECT_EQ(b.WrongMoves, a.WrongMoves);
    EXPECT_EQ(b.GameModified, a.GameModified);
    EXPECT_TRUE(SameMap(a, b));
    EXPECT_EQ(now.PictureTitle, expected.PictureTitle);
    EXPECT_EQ(now.LastGameTitle, expected.LastGameTitle);
    EXPECT_EQ(now.Caption, expected.Caption);
    EXPECT_EQ(now.Columns, expected.Columns);
    EXPECT_EQ(now.Rows, expected.Rows);
    EXPECT_EQ(now.LightGrid, expected.LightGrid);
    EXPECT_EQ(now.Moves, expected.Moves);
    EXPECT_EQ(now.WrongMoves, expected.WrongMoves);
    EXPECT_EQ(now.Remaining, expected.Remaining);
    EXPECT_EQ(now.Tips, expected.Tips);
    EXPECT_TRUE(now.Puzzle == expected.Puzzle) << "the puzzle view changed";
    EXPECT_TRUE(now.Original == expected.Original) << "the original view changed";
    EXPECT_TRUE(now.Backup == expected.Backup) << "the backup picture changed";
  }

  static bool SameMap(const TBoard& a, const TBoard& b) {
    for (int column = 0; column < a.ResultedColumns; ++column)
      for (int row = 0; row < a.ResultedRows; ++row) {
        const TCell &x = a.Map[column][row], &y = b.Map[column][row];
        if (x.C != y.C || x.R != y.R || x.FH != y.FH || x.FV != y.FV) return false;
      }
    return true;
  }

  // Which piece the puzzle view shows in each cell matches the map.
  void ExpectViewShowsMap() {
    const TPixelView view = form_->PuzzlePictureImage->Canvas();
    ASSERT_EQ(view.Width, Board().ResultedColumns * form_->Piece().Width);
    ASSERT_EQ(view.Height, Board().ResultedRows * form_->Piece().Height);
    for (int row = 0; row < Board().ResultedRows; ++row)
      for (int column = 0; column < Board().ResultedColumns; ++column) {
        const TCell& cell = Board().Map[column][row];
        int c = -1, r = -1;
        // The right half's middle: clear of the dark mark however mirrored.
        const uint32_t pixel = view.At(column * form_->Piece().Width + form_->Piece().Width / 2,
                                       row * form_->Piece().Height + form_->Piece().Height / 2) &
                               0xFFFFFF;
        EXPECT_TRUE(testpicture::CellOfColour(pixel, c, r, 8)) << column << "," << row;
        EXPECT_EQ(c, cell.C) << column << "," << row;
        EXPECT_EQ(r, cell.R) << column << "," << row;
      }
  }

  // A game file written by hand into the test's folder.
  std::string WriteGame(const std::string& name, const std::string& game,
                        const std::vector<TCell>& cells) {
    test::WriteText(folder_.Path() + name, test::GameFileText(game, cells));
    return folder_.Path() + name;
  }

  static std::string GameKeys(int columns, int rows, int resultedColumns, int resultedRows,
                              const std::string& picture) {
    return "ColumnsCount=" + std::to_string(columns) + "\r\nRowsCount=" + std::to_string(rows) +
           "\r\nLightGrid=TRUE\r\nPictureTitle=" + picture +
           "\r\nResultedColumns=" + std::to_string(resultedColumns) +
           "\r\nResultedRows=" + std::to_string(resultedRows) +
           "\r\nMovesCount=12\r\nWrongMoves=3\r\n";
  }

  // The last status the game handed back, and what was shown.
  std::string LastDescription() const { return FunStatContext.Description; }
  // The one failure shown: its headline, description and first parameter.
  std::string OnlyShown() const {
    if (recorder_.Shows.size() != 1) return std::to_string(recorder_.Shows.size()) + " shown";
    const auto& shown = recorder_.Shows[0];
    return shown.Headline + " " + shown.Description + " " + shown.Parameter1;
  }

  int pieceWidth_ = 0, pieceHeight_ = 0;
};

TEST_F(GameFilesTest, AGameFileHoldsTheGridTheCountersAndEveryCellInOrder) {
  Misplace();
  const std::string game = folder_.Path() + "shuffled.qtg";
  ASSERT_TRUE(form_->SaveGame(game));
  EXPECT_FALSE(Board().GameModified);
  EXPECT_EQ(form_->LastGameTitle, game);

  // Windows' own reader agrees with the format.
  auto value = [&](const char* section, const std::string& key) {
    char text[512] = {};
    GetPrivateProfileStringA(section, key.c_str(), "<none>", text, sizeof text, game.c_str());
    return std::string(text);
  };
  EXPECT_EQ(value("QuiltraGame", "ColumnsCount"), "7");
  EXPECT_EQ(value("QuiltraGame", "RowsCount"), "7");
  EXPECT_EQ(value("QuiltraGame", "ResultedColumns"), "7");
  EXPECT_EQ(value("QuiltraGame", "ResultedRows"), "7");
  EXPECT_EQ(value("QuiltraGame", "LightGrid"), "FALSE");
  EXPECT_EQ(value("QuiltraGame", "PictureTitle"), picture_);
  EXPECT_EQ(value("QuiltraGame", "MovesCount"), "5");
  EXPECT_EQ(value("QuiltraGame", "WrongMoves"), "2");
  for (int n = 0; n < 49; ++n) {
    const TCell& cell = Board().Map[n % 7][n / 7];
    const std::string i = std::to_string(n);
    EXPECT_EQ(value("Map", "C" + i), std::to_string(cell.C));
    EXPECT_EQ(value("Map", "R" + i), std::to_string(cell.R));
    EXPECT_EQ(value("Map", "FH" + i), cell.FH ? "TRUE" : "FALSE");
    EXPECT_EQ(value("Map", "FV" + i), cell.FV ? "TRUE" : "FALSE");
  }
  EXPECT_EQ(value("Map", "C49"), "<none>");
  EXPECT_EQ(value("Map", "C1"), "0");  // piece (0,0) lies in (1,0)
  EXPECT_EQ(value("Map", "FH0"), "TRUE");
  EXPECT_EQ(value("Map", "FV48"), "TRUE");

  // The game section first, its keys in order, then the map, C R FH FV per
  // position; CR LF throughout.
  const std::string text = test::ReadText(game);
  EXPECT_EQ(
      text.rfind(
          "[QuiltraGame]\r\nColumnsCount=7\r\nRowsCount=7\r\nLightGrid=FALSE\r\nPictureTitle=" +
              picture_ +
              "\r\nResultedColumns=7\r\nResultedRows=7\r\nMovesCount=5\r\nWrongMoves=2\r\n\r\n"
              "[Map]\r\nC0=1\r\nR0=0\r\nFH0=TRUE\r\nFV0=FALSE\r\nC1=0\r\n",
          0),
      0u)
      << text.substr(0, 300);
  const std::string end = "C48=3\r\nR48=4\r\nFH48=FALSE\r\nFV48=TRUE\r\n\r\n";
  ASSERT_GT(text.size(), end.size());
  EXPECT_EQ(text.substr(text.size() - end.size()), end);
  EXPECT_EQ(text.find("[Map]"), text.rfind('['));
}

TEST_F(GameFilesTest, ASavedGameLoadsBackWithItsBoardCountersAndSettings) {
  Misplace();
  const std::string game = folder_.Path() + "Upper.QTG";
  ASSERT_TRUE(form_->SaveGame(game));
  const TBoard saved = Board();

  // Another game on screen, other settings.
  form_->LoadGameFromPicture(picture_);
  form_->Choose(form_->ColumnsCountComboBox, "9");
  form_->Choose(form_->RowsCountComboBox, "11");
  form_->LightGridCheckBox->SetChecked(true);
  ASSERT_EQ(Board().CountRemainingPieces(), 0);

  // A name with another extension is no game: nothing happens.
  const std::string other = folder_.Path() + "game.txt";
  CopyFileA(game.c_str(), other.c_str(), FALSE);
  const TScene before = Scene();
  form_->LoadGameFrom(other);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  ExpectScene(before);

  form_->LoadGameFrom(game);
  EXPECT_EQ(FunStatContext.Status, fsPerfect) << LastDescription();
  EXPECT_TRUE(SameMap(saved, Board()));
  EXPECT_EQ(Board().ResultedColumns, 7);
  EXPECT_EQ(Board().MovesCount, 5);
  EXPECT_EQ(Board().WrongMoves, 2);
  EXPECT_FALSE(Board().GameModified);
  EXPECT_EQ(form_->MovesCountLabel->Caption(), "You have made 5 moves.");
  EXPECT_EQ(form_->WrongMovesLabel->Caption(), "You have made 2 wrong moves.");
  EXPECT_EQ(form_->RemainingCountLabel->Caption(), RemainingText(saved.CountRemainingPieces()));
  EXPECT_EQ(form_->TipsLabel->Caption(), kTipsDrag);
  EXPECT_EQ(form_->Caption(), "Quiltra - " + game);
  EXPECT_EQ(form_->LastGameTitle, game);
  EXPECT_EQ(form_->SaveGameDialog.FileName, game);
  EXPECT_EQ(form_->ColumnsCountComboBox->Text(), "7");
  EXPECT_EQ(form_->RowsCountComboBox->Text(), "7");
  EXPECT_FALSE(form_->LightGridCheckBox->Checked());
  ExpectViewShowsMap();

  // Loading keeps the modified mark of the game it replaces.
  form_->Swap({3, 3}, {4, 4});
  TQueryAnswers no({IDNO});
  form_->LoadGameFrom(game);
  EXPECT_EQ(no.Texts(), std::vector<std::string>{SaveQuestion});
  EXPECT_TRUE(SameMap(saved, Board()));
  EXPECT_TRUE(Board().GameModified);
}

TEST_F(GameFilesTest, AGameFromAnotherScreenLoadsWholeOnItsSavedGrid) {
  // Cut into 8 x 7 with 7 columns chosen, where the area left room for an
  // eighth column; here the picture would get 7.
  std::vector<TCell> eight = test::HomeCells(8, 7);
  std::reverse(eight.begin(), eight.end());
  form_->LoadGameFrom(WriteGame("eight.qtg", GameKeys(7, 7, 8, 7, picture_), eight));
  EXPECT_EQ(FunStatContext.Status, fsPerfect) << LastDescription();
  EXPECT_EQ(Board().ResultedColumns, 8);
  EXPECT_EQ(Board().ResultedRows, 7);
  for (int n = 0; n < 56; ++n) {
    EXPECT_EQ(Board().Map[n % 8][n / 8].C, eight[n].C);
    EXPECT_EQ(Board().Map[n % 8][n / 8].R, eight[n].R);
  }
  EXPECT_EQ(form_->PuzzlePictureImage->Canvas().Width, 8 * form_->Piece().Width);
  EXPECT_EQ(form_->RemainingCountLabel->Caption(), RemainingText(56));

  form_->LoadGameFromPicture(picture_);
  Misplace();
  const std::string game = folder_.Path() + "screen.qtg";
  ASSERT_TRUE(form_->SaveGame(game));
  const TBoard saved = Board();

  // A narrower puzzle area: the picture would now be cut into fewer columns.
  TGroupBox* box = form_->PuzzlePictureGroupBox;
  box->SetSize(box->Width() * 3 / 4, box->Height());
  form_->ComputePieceSize();
  const int areaWidth = box->ClientWidth() - 10;
  const int areaHeight = box->ClientHeight() - form_->PuzzlePictureImage->Top() - 5;
  const TSize fitted = FitSizeToBox(7 * pieceWidth_, 7 * pieceHeight_, areaWidth, areaHeight, true);
  ASSERT_NE(GridCount(fitted.Height, form_->Piece().Height, 30), 7);

  form_->LoadGameFrom(game);
  EXPECT_EQ(FunStatContext.Status, fsPerfect) << LastDescription();
  EXPECT_EQ(Board().ResultedColumns, 7);
  EXPECT_EQ(Board().ResultedRows, 7);
  EXPECT_TRUE(SameMap(saved, Board()));
  EXPECT_LE(7 * form_->Piece().Width, areaWidth);
  EXPECT_LE(7 * form_->Piece().Height, areaHeight);
  ExpectViewShowsMap();
  EXPECT_EQ(form_->BackupPictureImage->Canvas().Width, 7 * form_->Piece().Width);
  EXPECT_EQ(form_->OriginalPictureImage->Canvas().Width % 7, 0);

  // The other way: 25 columns chosen on an area 395 pixels wide give pieces
  // of 15 pixels, and a picture as wide as the area would now get 26.
  box->SetSize(box->Width() + 405 - box->ClientWidth(), box->Height());
  ASSERT_EQ(box->ClientWidth() - 10, 395);
  const std::string widePicture = folder_.Path() + "wide.bmp";
  ASSERT_TRUE(testpicture::WriteGridPicture(widePicture, 25, 7, 15, 15));
  ASSERT_EQ(GridCount(395, 395 / 25, 30), 26);
  std::vector<TCell> cells = test::HomeCells(25, 7);
  std::reverse(cells.begin(), cells.end());
  form_->LoadGameFrom(WriteGame("wide.qtg", GameKeys(25, 7, 25, 7, widePicture), cells));
  EXPECT_EQ(FunStatContext.Status, fsPerfect) << LastDescription();
  EXPECT_EQ(Board().ResultedColumns, 25);
  EXPECT_EQ(Board().ResultedRows, 7);
  EXPECT_EQ(Board().Map[0][0].C, 24);
  EXPECT_EQ(Board().Map[24][6].R, 0);
  EXPECT_EQ(form_->Piece().Width, 15);
  ExpectViewShowsMap();
}

TEST_F(GameFilesTest, AMapThatIsNoPermutationIsRefusedAndTheGameStays) {
  Misplace();
  std::vector<TCell> cells = test::HomeCells(7, 7);
  cells[1] = cells[0];  // piece (0,0) twice, piece (1,0) lost
  std::string keys = GameKeys(9, 9, 7, 7, picture_);
  const std::string game = WriteGame("twice.qtg", keys, cells);
  form_->LastGameTitle = game;
  const TScene before = Scene();
  TQueryAnswers no({IDNO});
  form_->LoadLastGameMenuClick();
  EXPECT_EQ(no.Texts().size(), 1u);
  EXPECT_EQ(OnlyShown(), "Failed to load last game. The game file holds no valid board. " + game);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  ExpectScene(before);

  // A clean picture stays clean: reading the file's light grid draws no
  // frames over it.
  {
    TQueryAnswers no({IDNO});
    form_->LoadGameFromPicture(picture_);
  }
  const TScene clean = Scene();
  form_->LoadGameFrom(game);
  EXPECT_EQ(LastDescription(), "The game file holds no valid board.");
  ExpectScene(clean);
}

TEST_F(GameFilesTest, AGameWhosePictureHasGoneIsRefusedAndTheGameStays) {
  const std::string gone = folder_.Path() + "gone.bmp";
  ASSERT_TRUE(CopyFileA(picture_.c_str(), gone.c_str(), FALSE));
  form_->LoadGameFromPicture(gone);
  Misplace();
  const std::string game = folder_.Path() + "gone.qtg";
  ASSERT_TRUE(form_->SaveGame(game));
  form_->LoadGameFromPicture(picture_);
  Misplace();
  form_->LightGridCheckBox->SetChecked(true);  // the file says FALSE
  form_->Choose(form_->ColumnsCountComboBox, "12");
  ASSERT_TRUE(DeleteFileA(gone.c_str()));

  const TScene before = Scene();
  TQueryAnswers no({IDNO});
  form_->LoadLastGameMenuClick();
  EXPECT_EQ(no.Texts().size(), 1u);
  EXPECT_EQ(OnlyShown(), "Failed to load last game. There is no such file. " + gone);
  ExpectScene(before);  // the modified mark and LastGameTitle too
}

// A path past what the system takes is named too long, not missing, for a
// game, a picture and a save alike; the game shown stays.
TEST_F(GameFilesTest, APathTooLongIsSaidToBe) {
  Misplace();
  const TScene before = Scene();
  const std::string stem = folder_.Path() + std::string(300 - folder_.Path().size() - 4, 'y');
  form_->LoadGameFrom(stem + ".qtg");
  EXPECT_EQ(LastDescription(), "The path is too long.");
  {
    TQueryAnswers no({IDNO});
    form_->LoadGameFromPicture(stem + ".bmp");
  }
  EXPECT_EQ(OnlyShown(), "Failed to load game. The path is too long. " + stem + ".bmp");
  recorder_.Shows.clear();
  EXPECT_FALSE(form_->SaveGame(stem + ".qtg"));
  ASSERT_EQ(recorder_.Shows.size(), 1u);
  EXPECT_EQ(recorder_.Shows[0].Description, "The path is too long.");
  ExpectScene(before);
}

TEST_F(GameFilesTest, AGameFileThatNamesNoPictureIsRefused) {
  Misplace();
  form_->SetModified(false);
  const TScene before = Scene();
  const std::vector<TCell> cells = test::HomeCells(7, 7);
  const std::string longName =
      folder_.Path() + std::string(260 - folder_.Path().size() - 4, 'x') + ".bmp";
  ASSERT_EQ(longName.size(), 260u);
  const std::string files[] = {
      WriteGame("empty.qtg", GameKeys(7, 7, 7, 7, ""), cells),
      WriteGame("text.qtg", GameKeys(7, 7, 7, 7, folder_.Path() + "notes.txt"), cells),
      WriteGame("long.qtg", GameKeys(7, 7, 7, 7, longName), cells),
  };
  test::WriteText(folder_.Path() + "junk.qtg", "This is no game.\r\n");
  for (const std::string& game : {files[0], files[1], files[2], folder_.Path() + "junk.qtg"}) {
    form_->LoadGameFrom(game);
    EXPECT_EQ(LastDescription(), "The game file names no picture.") << game;
    EXPECT_EQ(FunStatContext.Parameter1, game);
    ExpectScene(before);
  }
  EXPECT_TRUE(recorder_.Shows.empty());
}

TEST_F(GameFilesTest, APictureThatNoLongerDecodesIsRefused) {
  const std::string broken = folder_.Path() + "broken.bmp";
  test::WriteText(broken, "This is not a picture.\r\n");
  Misplace();
  form_->SetModified(false);
  const TScene before = Scene();
  form_->LoadGameFrom(WriteGame("broken.qtg", GameKeys(7, 7, 7, 7, broken), test::HomeCells(7, 7)));
  EXPECT_EQ(LastDescription(), "The picture cannot be cut into the saved grid.");
  ExpectScene(before);
}

TEST_F(GameFilesTest, MissingAndUnreadableGameFiles) {
  Misplace();
  form_->SetModified(false);
  const TScene before = Scene();
  // At first start the last game is the games folder's pattern.
  const std::string pattern = folder_.Path() + "*.qtg";
  form_->LastGameTitle = form_->LoadGameDialog.FileName = pattern;
  form_->LoadLastGameMenuClick();
  EXPECT_EQ(OnlyShown(), "Failed to load last game. There is no such file " + pattern);
  EXPECT_EQ(form_->LoadGameDialog.FileName, pattern);

  // A game file that cannot be read is reported once, by the list.
  const std::string folderGame = folder_.Path() + "folder.qtg";
  ASSERT_TRUE(CreateDirectoryA(folderGame.c_str(), nullptr));
  form_->LastGameTitle = folderGame;
  form_->LoadLastGameMenuClick();
  ASSERT_EQ(recorder_.Shows.size(), 2u);
  EXPECT_EQ(recorder_.Shows[1].Headline, "Failed to load file.");
  form_->LastGameTitle = before.LastGameTitle;
  ExpectScene(before);
}

TEST_F(GameFilesTest, YesToTheSaveQuestionGoesOnOnlyWhenTheGameWasWritten) {
  EXPECT_TRUE(form_->CheckSave());  // not modified: no question
  Misplace();
  const std::string lastGame = form_->LastGameTitle;
  const std::string game = folder_.Path() + "kept.qtg";
  {
    TQueryAnswers cancel({IDCANCEL});
    EXPECT_FALSE(form_->CheckSave());
    EXPECT_EQ(cancel.Texts(), std::vector<std::string>{SaveQuestion});
  }
  {
    TQueryAnswers no({IDNO});
    EXPECT_TRUE(form_->CheckSave());
  }
  {
    TQueryAnswers yes({IDYES});
    TFileDialogAnswerer cancel("Save As", "");
    EXPECT_FALSE(form_->CheckSave());
  }
  test::WriteText(game, "old");
  {
    // Yes, then No to overwriting.
    TQueryAnswers answers({IDYES, IDNO});
    TFileDialogAnswerer save("Save As", game);
    EXPECT_FALSE(form_->CheckSave());
    ASSERT_EQ(answers.Texts().size(), 2u);
    EXPECT_EQ(answers.Texts()[1], "File \"" + game + "\"already exists.\nOverwrite it?");
  }
  EXPECT_EQ(test::ReadText(game), "old");
  {
    TQueryAnswers yes({IDYES});
    TFileDialogAnswerer save("Save As", folder_.Path() + "missing\\kept.qtg");
    EXPECT_FALSE(form_->CheckSave());
  }
  ASSERT_EQ(recorder_.Shows.size(), 1u);
  EXPECT_EQ(recorder_.Shows[0].Headline, "Failed to save file.");
  EXPECT_TRUE(Board().GameModified);
  EXPECT_EQ(form_->LastGameTitle, lastGame);
  {
    TQueryAnswers answers({IDYES, IDYES});
    TFileDialogAnswerer save("Save As", game);
    EXPECT_TRUE(form_->CheckSave());
  }
  EXPECT_FALSE(Board().GameModified);
  EXPECT_EQ(form_->LastGameTitle, game);
  EXPECT_NE(test::ReadText(game).find("MovesCount=5"), std::string::npos);
}

TEST_F(GameFilesTest, LoadLastGameLoadsTheLastGameAfterYesSavedTheOneShown) {
  Misplace();
  const std::string last = folder_.Path() + "last.qtg";
  ASSERT_TRUE(form_->SaveGame(last));
  form_->Swap({3, 3}, {4, 4});
  form_->SetCounters(6, Board().WrongMoves);
  const std::string shown = folder_.Path() + "shown.qtg";
  {
    // Saving the game on screen makes it the last game; the command still
    // loads the one that was last when it was given.
    TQueryAnswers yes({IDYES});
    TFileDialogAnswerer save("Save As", shown);
    form_->LoadLastGameMenuClick();
  }
  EXPECT_TRUE(recorder_.Shows.empty());
  EXPECT_NE(test::ReadText(shown).find("MovesCount=6"), std::string::npos);
  EXPECT_EQ(Board().MovesCount, 5);
  EXPECT_EQ(form_->LastGameTitle, last);
  EXPECT_EQ(form_->Caption(), "Quiltra - " + last);
}

TEST_F(GameFilesTest, ASaveThatFailsLeavesTheOldGameFileWhole) {
  Misplace();
  const std::string game = folder_.Path() + "whole.qtg";
  ASSERT_TRUE(form_->SaveGame(game));
  const std::string old = test::ReadText(game);
  form_->Swap({3, 3}, {4, 4});
  form_->LastGameTitle = "before";
  for (TDurableWriteStep failing :
       {TDurableWriteStep::Write, TDurableWriteStep::Flush, TDurableWriteStep::Replace}) {
    DurableWriteTestHook = [failing](TDurableWriteStep step, const std::string&) -> DWORD {
      return step == failing ? ERROR_DISK_FULL : 0;
    };
    {
      TQueryAnswers yes({IDYES});  // to overwriting
      EXPECT_FALSE(form_->SaveGame(game));
    }
    DurableWriteTestHook = nullptr;
    EXPECT_EQ(test::ReadText(game), old);
    EXPECT_EQ(folder_.Files().size(), 2u);  // the picture and the game: no temporary file
    EXPECT_TRUE(Board().GameModified);
    EXPECT_EQ(form_->LastGameTitle, "before");
  }
  ASSERT_EQ(recorder_.Shows.size(), 3u);
  EXPECT_EQ(recorder_.Shows[2].Headline, "Failed to save file.");
  EXPECT_EQ(recorder_.Shows[2].SystemErrorCode, uint32_t(ERROR_DISK_FULL));
}

TEST_F(GameFilesTest, CancelOrAFailureKeepsTheGameOnEveryCommand) {
  Misplace();
  const std::string game = folder_.Path() + "other.qtg";
  {
    // Saved under another name first: a game to load.
    TQueryAnswers yes({IDYES});
    TFileDialogAnswerer save("Save As", game);
    ASSERT_TRUE(form_->CheckSave());
  }
  form_->Swap({4, 4}, {5, 5});
  TScene before = Scene();
  {
    TQueryAnswers cancel({IDCANCEL, IDCANCEL});
    form_->LoadGameFromPicture(picture_);
    form_->LoadGameFrom(game);
    EXPECT_EQ(cancel.Texts().size(), 2u);
  }
  ExpectScene(before);

  // No, and the picture has gone: the game and its mark stay.
  {
    TQueryAnswers no({IDNO});
    form_->LoadGameFromPicture(folder_.Path() + "gone.bmp");
  }
  ASSERT_EQ(recorder_.Shows.size(), 1u);
  EXPECT_EQ(recorder_.Shows[0].Headline, "Failed to load game.");
  EXPECT_EQ(recorder_.Shows[0].Description, "There is no such file.");
  ExpectScene(before);

  // Closing: Cancel keeps the window and the options file as they were;
  // No closes and writes the options.
  const std::string options = folder_.Path() + "Quiltra.ini";
  test::WriteText(options, "[QuiltraGame]\r\nColumnsCount=9\r\n");
  form_->OptionsList = std::make_unique<TStoredTextList>(options);
  form_->OptionsList->OnSave = [this](TStoredTextList& list) { form_->WriteOptions(list); };
  bool canClose = true;
  {
    TQueryAnswers cancel({IDCANCEL});
    form_->FormCloseQuery(canClose);
  }
  EXPECT_FALSE(canClose);
  EXPECT_EQ(test::ReadText(options), "[QuiltraGame]\r\nColumnsCount=9\r\n");
  {
    TQueryAnswers no({IDNO});
    form_->FormCloseQuery(canClose);
  }
  EXPECT_TRUE(canClose);
  EXPECT_NE(test::ReadText(options).find("LastGameTitle=" + game), std::string::npos);
}

TEST_F(GameFilesTest, TheOptionsFileKeepsItsSixKeysWithinTheirLimits) {
  const std::string options = folder_.Path() + "Quiltra.ini";
  TStoredTextList list(options);
  list.OnLoad = [this](TStoredTextList& loaded) { form_->ReadOptions(loaded); };
  list.OnSave = [this](TStoredTextList& saved) { form_->WriteOptions(saved); };
  const std::string defaultGame = form_->LastGameTitle;

  test::WriteText(options,
                  "; the player's settings\r\n[QuiltraGame]\r\nColumnsCount=4\r\nRowsCount=12\r\n"
                  "LightGrid=true\r\nPictureTitle=\r\nAllowFlip=TRUE\r\nLastGameTitle=\r\n"
                  "Extra=1\r\n\r\n[Other]\r\nKey=value\r\n");
  ASSERT_TRUE(list.Load());
  EXPECT_EQ(form_->ColumnsCountComboBox->Text(), "7");
  EXPECT_EQ(form_->RowsCountComboBox->Text(), "12");
  EXPECT_FALSE(form_->LightGridCheckBox->Checked());
  EXPECT_TRUE(form_->AllowFlipCheckBox->Checked());
  EXPECT_EQ(form_->PictureTitle(), "");
  EXPECT_EQ(form_->LastGameTitle, defaultGame);
  EXPECT_EQ(form_->LoadGameDialog.FileName, defaultGame);
  EXPECT_EQ(form_->SaveGameDialog.FileName, defaultGame);
  // With no picture named, "Save game" does nothing.
  EXPECT_FALSE(form_->SaveGameCommand());

  const std::string picture259 = "C:\\" + std::string(252, 'p') + ".jpg";
  const std::string game259 = "C:\\" + std::string(252, 'g') + ".qtg";
  test::WriteText(options,
                  "[QuiltraGame]\r\nColumnsCount=31\r\nRowsCount=0x1E\r\nLightGrid=TRUE\r\n"
                  "PictureTitle=" +
                      picture259 + "\r\nLastGameTitle=" + game259 + "\r\n");
  ASSERT_TRUE(list.Load());
  EXPECT_EQ(form_->ColumnsCountComboBox->Text(), "7");
  EXPECT_EQ(form_->RowsCountComboBox->Text(), "30");
  EXPECT_TRUE(form_->LightGridCheckBox->Checked());
  EXPECT_FALSE(form_->AllowFlipCheckBox->Checked());
  EXPECT_EQ(form_->PictureTitle(), picture259);
  EXPECT_EQ(form_->LastGameTitle, game259);
  test::WriteText(options, "[QuiltraGame]\r\nPictureTitle=" + picture259 +
                               "x\r\nLastGameTitle=" + game259 + "x\r\n");
  ASSERT_TRUE(list.Load());
  EXPECT_EQ(form_->PictureTitle(), picture259);
  EXPECT_EQ(form_->LastGameTitle, game259);

  // Written back: the six keys and nothing else.
  test::WriteText(options, "; gone\r\n[QuiltraGame]\r\nExtra=1\r\n[Other]\r\nKey=value\r\n");
  ASSERT_TRUE(list.Load());
  form_->Choose(form_->ColumnsCountComboBox, "9");
  ASSERT_TRUE(list.Save(false));
  EXPECT_EQ(test::ReadText(options),
            "[QuiltraGame]\r\nColumnsCount=9\r\nRowsCount=30\r\nLightGrid=FALSE\r\nPictureTitle=" +
                picture259 + "\r\nAllowFlip=FALSE\r\nLastGameTitle=" + game259 + "\r\n\r\n");
  EXPECT_TRUE(recorder_.Shows.empty());
}

}  // namespace
