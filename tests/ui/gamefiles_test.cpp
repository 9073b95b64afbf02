// Games and options across runs: saving with S and its overwrite question,
// the options file at closing and at the next start, loading with Ctrl+Z and
// L, the save question of every command that would lose a game, and games
// that cannot be loaded.
#include <gtest/gtest.h>

#include <array>

#include "core/board.h"
#include "support/driver.h"
#include "support/game.h"
#include "tests/support/testpicture.h"

using namespace ui;

namespace {

class TGame {
 public:
  explicit TGame(const TTempDir& folder) : folder_(folder), process_(InstallGame(folder)) {
    Window = process_.WaitWindow("TQuiltraForm");
    // The first key goes to the game only once it is in front.
    WaitFor([&] { return GetForegroundWindow() == Window; }, 5000);
  }
  TProcess& Process() { return process_; }
  HWND Window = nullptr;

  std::string Games() const { return folder_.File("QuiltraGames\\"); }

  // A picture cut exactly into 7 x 7 pieces, loaded with F5.
  bool LoadCells(const std::string& picture) {
    UsePieceSize();
    return testpicture::WriteGridPicture(picture, 7, 7, pieceWidth_, pieceHeight_) &&
           LoadPictureWithF5(process_, Window, picture);
  }

  void UsePieceSize() {
    const SIZE piece = PieceSize(Window, 7, 7);
    pieceWidth_ = piece.cx;
    pieceHeight_ = piece.cy;
  }

  bool Randomize() {
    PressKey('R', {VK_MENU});
    // The counters change first, the pieces on screen when the view repaints.
    return WaitFor([&] { return HasLabel(Window, "You have made 0 moves."); }) &&
           WaitFor([&] { return Board().Misplaced() > 0; });
  }

  TScreenBoard Board() const {
    return ReadScreenBoard(PuzzleView(Window), SIZE{pieceWidth_, pieceHeight_});
  }

  // Drags the first misplaced piece home: one move.
  void MoveOnePieceHome() {
    const TScreenBoard board = Board();
    for (int cell = 0; cell < 49; ++cell) {
      const int column = cell % 7, row = cell / 7;
      const int homeColumn = board.Column[row][column], homeRow = board.Row[row][column];
      if (homeColumn < 0 || (homeColumn == column && homeRow == row)) continue;
      POINT from = Centre(column, row), to = Centre(homeColumn, homeRow);
      DragTo(from.x - 9, from.y, to.x, to.y);
      EXPECT_TRUE(WaitFor([&] { return !(Board() == board); }));
      return;
    }
  }

  // S, the save dialog answered with the path.
  bool Save(const std::string& path) {
    PressKey('S');
    return AnswerFileDialog(process_, path);
  }

  // The question the program asks now, answered with a button.
  std::string Answer(int button) {
    HWND box = WaitMessageBox(process_, 5000);
    if (!box) return "<no question>";
    const std::string text = MessageBoxText(box);
    PressButtonId(box, button);
    WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); });
    return text;
  }

  // The error dialog's report, closed with Okay.
  std::string ErrorReport() {
    HWND dialog = WaitErrorDialog(process_);
    if (!dialog) return "<no error dialog>";
    const std::string text = ErrorDialogText(dialog);
    PressButton(dialog, "&Okay");
    WaitFor([&] { return !IsWindowVisible(dialog); });
    return text;
  }

  // No dialog of the program is open, after a moment to let one appear.
  bool NoDialog() {
    Sleep(400);
    return process_.FindWindow("#32770") == nullptr;
  }

  void Close() { PostMessageA(Window, WM_CLOSE, 0, 0); }

 private:
  POINT Centre(int column, int row) const {
    return CellCentre(PuzzleView(Window), pieceWidth_, pieceHeight_, column, row);
  }

  const TTempDir& folder_;
  TProcess process_;
  int pieceWidth_ = 0, pieceHeight_ = 0;
};

std::string Key(const std::string& file, const std::string& section, const std::string& key) {
  char value[512] = {};
  GetPrivateProfileStringA(section.c_str(), key.c_str(), "<none>", value, sizeof value,
                           file.c_str());
  return value;
}

// The report says this failure under this headline.
void ExpectReport(const std::string& report, const std::string& headline,
                  const std::string& description, const std::string& parameter) {
  EXPECT_EQ(report.rfind("DESCRIPTION\r\n" + headline + "\r\n", 0), 0u) << report;
  EXPECT_NE(report.find("* Description: \"" + description + "\""), std::string::npos) << report;
  EXPECT_NE(report.find("* Parameter 1: \"" + parameter + "\""), std::string::npos) << report;
}

bool Checked(HWND window, const std::string& caption) {
  return SendMessageA(ChildWithText(window, "Button", caption), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

TEST(GameFiles, ASavedGameAndTheOptionsSurviveARestart) {
  TTempDir folder;
  const std::string picture = folder.File("cells.bmp");
  std::string game;
  TScreenBoard played;
  {
    TGame quiltra(folder);
    ASSERT_NE(quiltra.Window, nullptr);
    game = quiltra.Games() + "shuffled.qtg";

    // Nothing saved yet: the last game is the games folder's pattern.
    PressKey('Z', {VK_CONTROL});
    ExpectReport(quiltra.ErrorReport(), "Failed to load last game.", "There is no such file",
                 quiltra.Games() + "*.qtg");

    ASSERT_TRUE(quiltra.LoadCells(picture));
    ASSERT_TRUE(quiltra.Randomize());
    const TScreenBoard shuffled = quiltra.Board();
    ASSERT_GT(shuffled.Misplaced(), 0);
    ASSERT_TRUE(quiltra.Save(game));
    ASSERT_TRUE(WaitFor([&] { return Exists(game); }));
    EXPECT_EQ(Key(game, "QuiltraGame", "ColumnsCount"), "7");
    EXPECT_EQ(Key(game, "QuiltraGame", "RowsCount"), "7");
    EXPECT_EQ(Key(game, "QuiltraGame", "ResultedColumns"), "7");
    EXPECT_EQ(Key(game, "QuiltraGame", "ResultedRows"), "7");
    EXPECT_EQ(Key(game, "QuiltraGame", "PictureTitle"), picture);
    EXPECT_EQ(Key(game, "QuiltraGame", "MovesCount"), "0");
    for (int n = 0; n < 49; ++n) {
      const std::string i = std::to_string(n);
      EXPECT_EQ(Key(game, "Map", "C" + i), std::to_string(shuffled.Column[n / 7][n % 7]));
      EXPECT_EQ(Key(game, "Map", "R" + i), std::to_string(shuffled.Row[n / 7][n % 7]));
      EXPECT_EQ(Key(game, "Map", "FH" + i), "FALSE");
      EXPECT_EQ(Key(game, "Map", "FV" + i), "FALSE");
    }
    EXPECT_EQ(Key(game, "Map", "C49"), "<none>");

    // A move, then saving over the file: No keeps the file, Yes replaces it.
    quiltra.MoveOnePieceHome();
    ASSERT_TRUE(WaitFor([&] { return HasLabel(quiltra.Window, "You have made 1 moves."); }));
    played = quiltra.Board();
    const std::string saved = ReadText(game);
    ASSERT_TRUE(quiltra.Save(game));
    EXPECT_EQ(quiltra.Answer(IDNO), "File \"" + game + "\"already exists.\nOverwrite it?");
    EXPECT_EQ(ReadText(game), saved);
    ASSERT_TRUE(quiltra.Save(game));
    EXPECT_EQ(quiltra.Answer(IDYES), "File \"" + game + "\"already exists.\nOverwrite it?");
    EXPECT_TRUE(WaitFor([&] { return Key(game, "QuiltraGame", "MovesCount") == "1"; }));

    // Settings for the next run; the game is saved, so it closes at once.
    ChooseGrid(quiltra.Window, 9, 11);
    PostMessageA(ChildWithText(quiltra.Window, "Button", "Light &grid"), BM_CLICK, 0, 0);
    PostMessageA(ChildWithText(quiltra.Window, "Button", "Allow &flipping pieces"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return Checked(quiltra.Window, "Allow &flipping pieces"); }));
    quiltra.Close();
    EXPECT_EQ(quiltra.Process().Wait(), 0);
  }
  const std::string options = folder.File("Quiltra.ini");
  EXPECT_EQ(ReadText(options),
            "[QuiltraGame]\r\nColumnsCount=9\r\nRowsCount=11\r\nLightGrid=TRUE\r\n"
            "PictureTitle=" +
                picture + "\r\nAllowFlip=TRUE\r\nLastGameTitle=" + game + "\r\n\r\n");

  TGame quiltra(folder);
  ASSERT_NE(quiltra.Window, nullptr);
  std::vector<HWND> combos = Children(quiltra.Window, "ComboBox");
  ASSERT_EQ(combos.size(), 2u);
  EXPECT_EQ(Text(combos[0]), "9");
  EXPECT_EQ(Text(combos[1]), "11");
  EXPECT_TRUE(Checked(quiltra.Window, "Light &grid"));
  EXPECT_TRUE(Checked(quiltra.Window, "Allow &flipping pieces"));

  // Ctrl+Z brings the game back as it was played, with its own settings.
  quiltra.UsePieceSize();
  PressKey('Z', {VK_CONTROL});
  ASSERT_TRUE(WaitFor([&] { return Text(quiltra.Window) == "Quiltra - " + game; }));
  ASSERT_TRUE(WaitFor([&] { return PuzzleView(quiltra.Window) != nullptr; }));
  // The board is read from the screen: wait until the loaded game is painted.
  EXPECT_TRUE(WaitFor([&] { return quiltra.Board() == played; }));
  EXPECT_TRUE(HasLabel(quiltra.Window, "You have made 1 moves."));
  EXPECT_TRUE(HasLabel(quiltra.Window, "You have made 0 wrong moves."));
  EXPECT_TRUE(HasLabel(quiltra.Window, RemainingText(played.Misplaced())));
  EXPECT_EQ(Text(combos[0]), "7");
  EXPECT_EQ(Text(combos[1]), "7");
  EXPECT_FALSE(Checked(quiltra.Window, "Light &grid"));
  SaveScreenshot("game-loaded");

  // A move, then L: the game file chosen, No to the save question, and the
  // game from the file.
  quiltra.MoveOnePieceHome();
  ASSERT_TRUE(WaitFor([&] { return HasLabel(quiltra.Window, "You have made 2 moves."); }));
  PressKey('L');
  ASSERT_TRUE(AnswerFileDialog(quiltra.Process(), game));
  EXPECT_EQ(quiltra.Answer(IDNO), "The game has been modified. Save it?");
  ASSERT_TRUE(WaitFor([&] { return HasLabel(quiltra.Window, "You have made 1 moves."); }));
  EXPECT_TRUE(WaitFor([&] { return quiltra.Board() == played; }));

  // Loading kept the modified mark: closing asks. Cancel, and Yes with the
  // save dialog cancelled, keep the window; No closes it.
  quiltra.Close();
  EXPECT_EQ(quiltra.Answer(IDCANCEL), "The game has been modified. Save it?");
  EXPECT_TRUE(quiltra.NoDialog());
  quiltra.Close();
  EXPECT_EQ(quiltra.Answer(IDYES), "The game has been modified. Save it?");
  HWND saveDialog = quiltra.Process().WaitWindow("#32770");
  ASSERT_NE(saveDialog, nullptr);
  PressButtonId(saveDialog, IDCANCEL);
  EXPECT_TRUE(quiltra.NoDialog());
  EXPECT_TRUE(quiltra.Process().Running());
  EXPECT_EQ(Key(options, "QuiltraGame", "ColumnsCount"), "9");  // not written yet
  quiltra.Close();
  EXPECT_EQ(quiltra.Answer(IDNO), "The game has been modified. Save it?");
  EXPECT_EQ(quiltra.Process().Wait(), 0);
  EXPECT_EQ(Key(options, "QuiltraGame", "ColumnsCount"), "7");
  EXPECT_EQ(Key(options, "QuiltraGame", "LastGameTitle"), game);
}

TEST(GameFiles, TheSaveQuestionAndGamesThatCannotBeLoaded) {
  TTempDir folder;
  TGame quiltra(folder);
  ASSERT_NE(quiltra.Window, nullptr);
  const std::string picture = folder.File("cells.bmp");
  ASSERT_TRUE(quiltra.LoadCells(picture));
  ASSERT_TRUE(quiltra.Randomize());
  TScreenBoard shown = quiltra.Board();

  // A picture chosen with F5 over a modified game: Cancel keeps the game.
  PressKey(VK_F5);
  ASSERT_TRUE(AnswerFileDialog(quiltra.Process(), picture));
  EXPECT_EQ(quiltra.Answer(IDCANCEL), "The game has been modified. Save it?");
  EXPECT_TRUE(quiltra.NoDialog());
  // Read from the screen once the dialogs' places are repainted.
  EXPECT_TRUE(WaitFor([&] { return quiltra.Board() == shown; }));
  EXPECT_TRUE(HasLabel(quiltra.Window, "You have made 0 moves."));

  // Yes saves it first, then the picture starts a new game.
  const std::string first = quiltra.Games() + "first.qtg";
  PressKey(VK_F5);
  ASSERT_TRUE(AnswerFileDialog(quiltra.Process(), picture));
  EXPECT_EQ(quiltra.Answer(IDYES), "The game has been modified. Save it?");
  ASSERT_TRUE(AnswerFileDialog(quiltra.Process(), first));
  ASSERT_TRUE(WaitFor(
      [&] { return HasLabel(quiltra.Window, "Press [Alt + R] to randomize the picture."); }));
  EXPECT_EQ(Key(first, "QuiltraGame", "PictureTitle"), picture);

  // No discards the game.
  ASSERT_TRUE(quiltra.Randomize());
  PressKey(VK_F5);
  ASSERT_TRUE(AnswerFileDialog(quiltra.Process(), picture));
  EXPECT_EQ(quiltra.Answer(IDNO), "The game has been modified. Save it?");
  ASSERT_TRUE(WaitFor(
      [&] { return HasLabel(quiltra.Window, "Press [Alt + R] to randomize the picture."); }));

  // The first game's picture has gone: refused, and the game on screen,
  // its counters and the caption stay.
  const std::string gone = folder.File("gone.bmp");
  const std::string goneGame = quiltra.Games() + "gone.qtg";
  ASSERT_TRUE(CopyFileA(first.c_str(), goneGame.c_str(), FALSE));
  ASSERT_TRUE(
      WritePrivateProfileStringA("QuiltraGame", "PictureTitle", gone.c_str(), goneGame.c_str()));
  ASSERT_TRUE(quiltra.Randomize());
  quiltra.MoveOnePieceHome();
  ASSERT_TRUE(WaitFor([&] { return HasLabel(quiltra.Window, "You have made 1 moves."); }));
  shown = quiltra.Board();
  const std::string remaining = LabelStartingWith(quiltra.Window, "There are ");
  PressKey('L');
  ASSERT_TRUE(AnswerFileDialog(quiltra.Process(), goneGame));
  EXPECT_EQ(quiltra.Answer(IDNO), "The game has been modified. Save it?");
  ExpectReport(quiltra.ErrorReport(), "Failed to load game.", "There is no such file.", gone);
  EXPECT_TRUE(WaitFor([&] { return quiltra.Board() == shown; }));
  EXPECT_TRUE(HasLabel(quiltra.Window, "You have made 1 moves."));
  EXPECT_TRUE(HasLabel(quiltra.Window, remaining));
  EXPECT_EQ(Text(quiltra.Window), "Quiltra");

  // A damaged game file is refused the same way.
  const std::string damaged = quiltra.Games() + "damaged.qtg";
  WriteText(damaged, "This is no game.\r\n");
  PressKey('L');
  ASSERT_TRUE(AnswerFileDialog(quiltra.Process(), damaged));
  EXPECT_EQ(quiltra.Answer(IDNO), "The game has been modified. Save it?");
  ExpectReport(quiltra.ErrorReport(), "Failed to load game.", "The game file names no picture.",
               damaged);
  EXPECT_TRUE(WaitFor([&] { return quiltra.Board() == shown; }));

  // The game is still modified: closing with Yes saves it, then closes.
  const std::string last = quiltra.Games() + "last.qtg";
  quiltra.Close();
  EXPECT_EQ(quiltra.Answer(IDYES), "The game has been modified. Save it?");
  ASSERT_TRUE(AnswerFileDialog(quiltra.Process(), last));
  EXPECT_EQ(quiltra.Process().Wait(), 0);
  EXPECT_EQ(Key(last, "QuiltraGame", "MovesCount"), "1");
  EXPECT_EQ(Key(folder.File("Quiltra.ini"), "QuiltraGame", "LastGameTitle"), last);
}

// A game played and then killed is offered back at the next start: Yes shows
// it as it was, still to be saved, No gives it up. Windows ending the session
// gets its answer at once, with the copy and the options on disk.
TEST(GameFiles, AGameThatEndedUnsavedIsOfferedBackAtTheNextStart) {
  TTempDir folder;
  const std::string copy = folder.File("Recovery.qtg");
  TScreenBoard played;
  {
    TGame quiltra(folder);
    ASSERT_TRUE(quiltra.LoadCells(folder.File("cells.bmp")));
    ASSERT_TRUE(quiltra.Randomize());
    quiltra.MoveOnePieceHome();
    ASSERT_TRUE(WaitFor([&] { return HasLabel(quiltra.Window, "You have made 1 moves."); }));
    played = quiltra.Board();
    ASSERT_TRUE(WaitFor([&] { return Key(copy, "QuiltraGame", "MovesCount") == "1"; }));
  }  // killed
  for (int button : {IDYES, IDNO}) {
    TGame quiltra(folder);
    ASSERT_NE(WaitMessageBox(quiltra.Process(), 5000), nullptr);
    if (button == IDYES) SaveScreenshot("restore-question");
    EXPECT_EQ(quiltra.Answer(button), "The last game was not saved. Restore it?");
    if (button == IDNO) {
      EXPECT_TRUE(WaitFor([&] { return !Exists(copy); }));
      EXPECT_TRUE(CloseQuietly(quiltra.Process(), quiltra.Window));
      break;
    }
    quiltra.UsePieceSize();
    EXPECT_TRUE(WaitFor([&] { return quiltra.Board() == played; }));
    EXPECT_TRUE(HasLabel(quiltra.Window, "You have made 1 moves."));
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(quiltra.Window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    EXPECT_TRUE(quiltra.NoDialog());
    EXPECT_EQ(Key(copy, "QuiltraGame", "MovesCount"), "1");
    EXPECT_TRUE(Exists(folder.File("Quiltra.ini")));
  }  // killed, as Windows ends it
}
