// Whole games with the real mouse and with the keyboard alone: load a
// picture whose cells each have their own colour, randomize, find every piece
// on the screen and bring it home, some of them onto the original picture, to
// "The puzzle is solved.".
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/board.h"
#include "support/driver.h"
#include "support/game.h"
#include "support/system.h"
#include "tests/support/testpicture.h"

using namespace ui;

namespace {

// The started game and its views.
struct TPlay : TStartedGame {
  HWND Puzzle = nullptr;    // the puzzle view
  HWND Original = nullptr;  // the original-picture view
  int PieceWidth = 0;
  int PieceHeight = 0;
};

TScreenBoard ReadBoard(const TPlay& play) {
  return ReadScreenBoard(play.Puzzle, SIZE{play.PieceWidth, play.PieceHeight});
}

// Waits until a cell shows the piece, so that the next look at the board on
// a busy machine sees the move just made.
void WaitShown(const TPlay& play, int column, int row, int pieceColumn, int pieceRow) {
  WaitFor(
      [&] {
        const TScreenBoard board = ReadBoard(play);
        return board.Column[row][column] == pieceColumn && board.Row[row][column] == pieceRow;
      },
      3000);
}

// Whether a piece's dark corner mark shows in the left (or right) top
// quarter of its cell: a piece mirrored left to right shows it on the right.
bool MarkOnSide(const TPlay& play, int column, int row, bool right) {
  const TShot shot = CaptureClient(play.Puzzle);
  const int x = column * play.PieceWidth +
                (right ? play.PieceWidth - 1 - play.PieceWidth / 4 : play.PieceWidth / 4);
  return shot.At(x, row * play.PieceHeight + play.PieceHeight / 4) == 0x101010u;
}

// A picture cut exactly into 7 x 7 pieces of the puzzle area's size, loaded
// and randomized.
void StartGame(TPlay& play) {
  ASSERT_NE(play.Window, nullptr);
  const SIZE piece = PieceSize(play.Window, 7, 7);
  play.PieceWidth = piece.cx;
  play.PieceHeight = piece.cy;
  const std::string picture = play.Folder.File("cells.bmp");
  ASSERT_TRUE(testpicture::WriteGridPicture(picture, 7, 7, play.PieceWidth, play.PieceHeight));
  ASSERT_TRUE(LoadPictureWithF5(play.Process, play.Window, picture));
  play.Puzzle = PuzzleView(play.Window);
  play.Original = OriginalView(play.Window);
  ASSERT_NE(play.Original, nullptr);
  EXPECT_EQ(Text(play.Window), "Quiltra");
  EXPECT_NE(ChildWithText(play.Window, "TLabel", "Press [Alt + R] to randomize the picture."),
            nullptr);

  PressKey('R', {VK_MENU});
  ASSERT_TRUE(WaitFor([&] { return HasLabel(play.Window, "You have made 0 moves."); }));
  EXPECT_NE(ChildWithText(play.Window, "TLabel", "You have made 0 wrong moves."), nullptr);
}

// The end of a modified game: closed without saving.
void LeaveUnsaved(TPlay& play) {
  PostMessageA(play.Window, WM_CLOSE, 0, 0);
  HWND question = WaitMessageBox(play.Process, 5000);
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(MessageBoxText(question), "The game has been modified. Save it?");
  PressButtonId(question, IDNO);
  EXPECT_EQ(play.Process.Wait(), 0);
}

}  // namespace

TEST(Play, AWholeGameWithTheMouse) {
  TPlay play;
  ASSERT_NO_FATAL_FAILURE(StartGame(play));
  Sleep(200);
  SaveScreenshot("play-randomized");

  RECT originalRect{};
  GetClientRect(play.Original, &originalRect);
  const int originalWidth = originalRect.right / 7, originalHeight = originalRect.bottom / 7;

  int moves = 0, wrongMoves = 0;
  TScreenBoard board = ReadBoard(play);
  // Ctrl+click and Shift+click mirror a misplaced piece and are not moves.
  for (int row = 0, done = 0; row < 7 && !done; ++row)
    for (int column = 0; column < 7 && !done; ++column) {
      if (board.IsHome(column, row)) continue;
      POINT centre = CellCentre(play.Puzzle, play.PieceWidth, play.PieceHeight, column, row);
      auto markAt = [&](bool right) { return MarkOnSide(play, column, row, right); };
      ASSERT_TRUE(markAt(false));
      // Clicks a few pixels apart: two at one spot would be a double click,
      // which mirrors nothing.
      ClickWithKeys(centre.x, centre.y, {VK_CONTROL});
      EXPECT_TRUE(WaitFor([&] { return markAt(true); }, 3000));
      ClickWithKeys(centre.x + 12, centre.y, {VK_CONTROL});
      EXPECT_TRUE(WaitFor([&] { return markAt(false); }, 3000));
      ClickWithKeys(centre.x, centre.y + 12, {VK_SHIFT});
      ClickWithKeys(centre.x + 12, centre.y + 12, {VK_SHIFT});
      done = 1;
    }
  EXPECT_NE(ChildWithText(play.Window, "TLabel", "You have made 0 moves."), nullptr);

  // One wrong move on purpose: a misplaced piece onto another misplaced cell
  // that is not its home.
  board = ReadBoard(play);
  for (int from = 0, done = 0; from < 49 && !done; ++from) {
    const int c1 = from % 7, r1 = from / 7;
    const int p1c = board.Column[r1][c1], p1r = board.Row[r1][c1];
    if (p1c == c1 && p1r == r1) continue;
    for (int to = 0; to < 49 && !done; ++to) {
      const int c2 = to % 7, r2 = to / 7;
      if (to == from || (c2 == p1c && r2 == p1r)) continue;
      if (board.IsHome(c2, r2)) continue;
      POINT a = CellCentre(play.Puzzle, play.PieceWidth, play.PieceHeight, c1, r1);
      POINT b = CellCentre(play.Puzzle, play.PieceWidth, play.PieceHeight, c2, r2);
      DragTo(a.x, a.y, b.x, b.y);
      WaitShown(play, c2, r2, p1c, p1r);
      ++moves;
      ++wrongMoves;
      done = 1;
    }
  }

  // Every piece home; every third drop onto the original picture.
  for (int round = 0; round < 60; ++round) {
    board = ReadBoard(play);
    bool moved = false;
    for (int cell = 0; cell < 49 && !moved; ++cell) {
      const int column = cell % 7, row = cell / 7;
      const int homeColumn = board.Column[row][column], homeRow = board.Row[row][column];
      ASSERT_GE(homeColumn, 0) << "unknown piece at " << column << "," << row;
      if (homeColumn == column && homeRow == row) continue;
      POINT from = CellCentre(play.Puzzle, play.PieceWidth, play.PieceHeight, column, row);
      // The displaced piece often starts the next drag from the same cell:
      // press elsewhere in it, or the two presses would make a double click.
      from.x += (moves % 2) ? 15 : -15;
      POINT to =
          (moves % 3 == 2)
              ? CellCentre(play.Original, originalWidth, originalHeight, homeColumn, homeRow)
              : CellCentre(play.Puzzle, play.PieceWidth, play.PieceHeight, homeColumn, homeRow);
      DragTo(from.x, from.y, to.x, to.y);
      WaitShown(play, homeColumn, homeRow, homeColumn, homeRow);
      ++moves;
      moved = true;
    }
    if (!moved) break;
  }
  EXPECT_TRUE(WaitFor(
      [&] { return ChildWithText(play.Window, "TLabel", "The puzzle is solved.") != nullptr; }));
  EXPECT_TRUE(HasLabel(play.Window, MovesText(moves)));
  EXPECT_TRUE(HasLabel(play.Window, WrongMovesText(wrongMoves)));
  Sleep(200);
  SaveScreenshot("play-solved");
  LeaveUnsaved(play);
}

namespace {

// The puzzle view's cursor, moved with Ctrl+Home, Home and the arrows, and
// the board as the test expects it after each move.
struct TKeyboardPlayer {
  const TPlay& Play;
  TScreenBoard Board;
  int Column = 0, Row = 0;

  void GoTo(int column, int row) {
    if (column == 0 && row == 0) PressKey(VK_HOME, {VK_CONTROL}), Column = Row = 0;
    if (column < Column - column) PressKey(VK_HOME), Column = 0;
    for (; Column != column; Column += Column < column ? 1 : -1)
      PressKey(Column < column ? VK_RIGHT : VK_LEFT);
    for (; Row != row; Row += Row < row ? 1 : -1) PressKey(Row < row ? VK_DOWN : VK_UP);
  }
  bool Home(int column, int row) const { return Board.IsHome(column, row); }
  // Enter on one cell, then on another (or O: on the piece's home in the
  // original view); the labels show the move before the next one.
  void Move(int fromColumn, int fromRow, int toColumn, int toRow, bool onOriginal, int moves) {
    GoTo(fromColumn, fromRow);
    PressKey(VK_RETURN);
    if (onOriginal)
      PressKey('O');
    else
      GoTo(toColumn, toRow), PressKey(VK_RETURN);
    std::swap(Board.Column[fromRow][fromColumn], Board.Column[toRow][toColumn]);
    std::swap(Board.Row[fromRow][fromColumn], Board.Row[toRow][toColumn]);
    EXPECT_TRUE(WaitFor([&] { return HasLabel(Play.Window, MovesText(moves)); }));
  }
};

// The cursor's band just inside a cell's frame shows both black and white.
bool CursorOn(const TPlay& play, int column, int row) {
  const TShot shot = CaptureClient(play.Puzzle);
  bool black = false, white = false;
  for (int x = 1; x < play.PieceWidth - 1; ++x) {
    const uint32_t pixel = shot.At(column * play.PieceWidth + x, row * play.PieceHeight + 1);
    black = black || pixel == 0;
    white = white || pixel == 0xFFFFFFu;
  }
  return black && white;
}

}  // namespace

TEST(Play, AWholeGameFromTheKeyboard) {
  TPlay play;
  ASSERT_NO_FATAL_FAILURE(StartGame(play));

  // Tab reaches the view after the choosers and the check boxes.
  for (int tabs = 0; tabs < 8 && Focused(play.Window) != play.Puzzle; ++tabs) PressKey(VK_TAB);
  ASSERT_EQ(Focused(play.Window), play.Puzzle);
  TKeyboardPlayer player{play, ReadBoard(play)};
  EXPECT_TRUE(WaitFor([&] { return CursorOn(play, 0, 0); }, 3000));
  PressKey(VK_END, {VK_CONTROL});
  EXPECT_TRUE(WaitFor([&] { return CursorOn(play, 6, 6) && !CursorOn(play, 0, 0); }, 3000));
  EXPECT_TRUE(HasLabel(play.Window, PositionText(6, 6)));
  player.Column = player.Row = 6;

  // Mirrors and the mark on a misplaced piece; Esc puts a piece back.
  int column = 0, row = 0;
  while (player.Home(column, row)) column = (column + 1) % 7, row += column == 0;
  player.GoTo(column, row);
  PressKey('H');
  EXPECT_TRUE(WaitFor([&] { return MarkOnSide(play, column, row, true); }, 3000));
  PressKey('V');  // the dark corner leaves the top
  EXPECT_TRUE(WaitFor([&] { return !MarkOnSide(play, column, row, true); }, 3000));
  PressKey('M');
  Sleep(200);
  SaveScreenshot("keyboard-mirrored-marked");
  // The mark's red frame; mirrored both ways, the piece's dark corner is
  // at the bottom right (the screenshot shows it).
  EXPECT_EQ(CaptureClient(play.Puzzle)
                .At(column * play.PieceWidth, row * play.PieceHeight + play.PieceHeight / 2),
            0xFF0000u);
  PressKey(VK_RETURN, {VK_CONTROL});
  PressKey(VK_RETURN, {VK_SHIFT});
  EXPECT_TRUE(WaitFor([&] { return MarkOnSide(play, column, row, false); }, 3000));
  PressKey(VK_RETURN);
  PressKey(VK_ESCAPE);

  // One wrong move on purpose, then every piece home, every third drop on
  // the original view.
  int moves = 0;
  for (int to = 0; to < 49 && moves == 0; ++to) {
    const int c = to % 7, r = to / 7;
    if ((c != column || r != row) && !player.Home(c, r) &&
        (c != player.Board.Column[row][column] || r != player.Board.Row[row][column]))
      player.Move(column, row, c, r, false, ++moves);
  }
  EXPECT_TRUE(HasLabel(play.Window, WrongMovesText(1)));
  for (int cell = 0; cell < 49; ++cell) {
    const int c = cell % 7, r = cell / 7;
    while (!player.Home(c, r)) {
      ASSERT_GE(player.Board.Column[r][c], 0) << "unknown piece at " << c << "," << r;
      player.Move(c, r, player.Board.Column[r][c], player.Board.Row[r][c], moves % 3 == 2,
                  moves + 1);
      ++moves;
    }
  }
  EXPECT_TRUE(WaitFor([&] { return HasLabel(play.Window, "The puzzle is solved."); }));
  EXPECT_TRUE(HasLabel(play.Window, MovesText(moves)));
  EXPECT_TRUE(HasLabel(play.Window, WrongMovesText(1)));

  // A chooser with the focus still takes the arrows.
  const std::vector<HWND> combos = Children(play.Window, "ComboBox");
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return Focused(play.Window) == combos.at(0); }));
  PressKey(VK_DOWN);
  EXPECT_TRUE(WaitFor([&] { return Text(combos[0]) == "8"; }));
  LeaveUnsaved(play);
}

// A few moves taken back and made again by the keys, the screen following the
// board each time: U and Alt+Backspace undo, Ctrl+Y redoes.
TEST(Play, MovesAreUndoneAndRedoneByTheirKeys) {
  TPlay play;
  ASSERT_NO_FATAL_FAILURE(StartGame(play));
  std::vector<TScreenBoard> boards{ReadBoard(play)};
  // Two drops of misplaced pieces on their homes.
  for (int step = 0; step < 2; ++step) {
    const TScreenBoard& board = boards.back();
    int from = 0;
    while (from < 49 && board.IsHome(from % 7, from / 7)) ++from;
    ASSERT_LT(from, 49);
    const int c = from % 7, r = from / 7, hc = board.Column[r][c], hr = board.Row[r][c];
    const POINT a = CellCentre(play.Puzzle, play.PieceWidth, play.PieceHeight, c, r);
    const POINT b = CellCentre(play.Puzzle, play.PieceWidth, play.PieceHeight, hc, hr);
    DragTo(a.x, a.y, b.x, b.y);
    WaitShown(play, hc, hr, hc, hr);
    boards.push_back(ReadBoard(play));
    // Two drags from one spot within the double-click time would be one.
    Sleep(static_cast<int>(GetDoubleClickTime()) + 50);
  }
  auto shows = [&](size_t moves) {
    return WaitFor(
        [&] {
          return ReadBoard(play) == boards[moves] &&
                 HasLabel(play.Window, "You have made " + std::to_string(moves) + " moves.");
        },
        3000);
  };
  ASSERT_TRUE(shows(2));
  PressKey('U');
  EXPECT_TRUE(shows(1));
  PressKey(VK_BACK, {VK_MENU});
  EXPECT_TRUE(shows(0));
  PressKey('Y', {VK_CONTROL});
  EXPECT_TRUE(shows(1));
  PressKey('Y', {VK_CONTROL});
  EXPECT_TRUE(shows(2));
  PressKey('Y', {VK_CONTROL});  // nothing more to redo
  SaveScreenshot("play-redone");
  LeaveUnsaved(play);
}
