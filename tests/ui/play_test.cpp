// A whole game with the real mouse: load a picture whose cells each have
// their own colour, randomize, find every piece on the screen and drag it
// home, some of them onto the original picture, to "The puzzle is solved.".
#include <gtest/gtest.h>

#include "core/board.h"
#include "support/driver.h"
#include "support/game.h"
#include "tests/support/testpicture.h"

using namespace ui;

namespace {

struct TPlay {
  HWND Window = nullptr;
  HWND Puzzle = nullptr;    // the puzzle view
  HWND Original = nullptr;  // the original-picture view
  int PieceWidth = 0;
  int PieceHeight = 0;
};

// Which piece each cell shows, read from the screen: -1 where unknown.
struct TScreenBoard {
  int Columns = 7, Rows = 7;
  int PieceColumn[7][7];
  int PieceRow[7][7];
};

TScreenBoard ReadBoard(const TPlay& play) {
  TScreenBoard board;
  const TShot shot = CaptureClient(play.Puzzle);
  for (int row = 0; row < 7; ++row)
    for (int column = 0; column < 7; ++column) {
      const uint32_t centre = shot.At(column * play.PieceWidth + play.PieceWidth / 2,
                                      row * play.PieceHeight + play.PieceHeight / 2);
      int c = -1, r = -1;
      testpicture::CellOfColour(centre, c, r);
      board.PieceColumn[column][row] = c;
      board.PieceRow[column][row] = r;
    }
  return board;
}

POINT CellCentre(HWND view, int width, int height, int column, int row) {
  POINT point{column * width + width / 2, row * height + height / 2};
  ClientToScreen(view, &point);
  return point;
}

}  // namespace

TEST(Play, AWholeGameWithTheMouse) {
  TTempDir folder;
  TProcess game(InstallGame(folder));
  TPlay play;
  play.Window = game.WaitWindow("TQuiltraForm");
  ASSERT_NE(play.Window, nullptr);

  // A picture cut exactly into 7 x 7 pieces of the puzzle area's size.
  const SIZE piece = PieceSize(play.Window, 7, 7);
  play.PieceWidth = piece.cx;
  play.PieceHeight = piece.cy;
  const std::string picture = folder.File("cells.bmp");
  ASSERT_TRUE(testpicture::WriteGridPicture(picture, 7, 7, play.PieceWidth, play.PieceHeight));
  ASSERT_TRUE(LoadPictureWithF5(game, play.Window, picture));
  play.Puzzle = PuzzleView(play.Window);
  play.Original = OriginalView(play.Window);
  ASSERT_NE(play.Original, nullptr);
  EXPECT_EQ(Text(play.Window), "Quiltra");
  EXPECT_NE(ChildWithText(play.Window, "TLabel", "Press [Alt + R] to randomize the picture."),
            nullptr);

  PressKey('R', {VK_MENU});
  ASSERT_TRUE(WaitFor([&] { return HasLabel(play.Window, "You have made 0 moves."); }));
  EXPECT_NE(ChildWithText(play.Window, "TLabel", "You have made 0 wrong moves."), nullptr);
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
      if (board.PieceColumn[column][row] == column && board.PieceRow[column][row] == row) continue;
      POINT centre = CellCentre(play.Puzzle, play.PieceWidth, play.PieceHeight, column, row);
      auto markAt = [&](bool right) {
        const TShot shot = CaptureClient(play.Puzzle);
        const int x = column * play.PieceWidth +
                      (right ? play.PieceWidth - 1 - play.PieceWidth / 4 : play.PieceWidth / 4);
        return shot.At(x, row * play.PieceHeight + play.PieceHeight / 4) == 0x101010u;
      };
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
    const int p1c = board.PieceColumn[c1][r1], p1r = board.PieceRow[c1][r1];
    if (p1c == c1 && p1r == r1) continue;
    for (int to = 0; to < 49 && !done; ++to) {
      const int c2 = to % 7, r2 = to / 7;
      if (to == from || (c2 == p1c && r2 == p1r)) continue;
      if (board.PieceColumn[c2][r2] == c2 && board.PieceRow[c2][r2] == r2) continue;
      POINT a = CellCentre(play.Puzzle, play.PieceWidth, play.PieceHeight, c1, r1);
      POINT b = CellCentre(play.Puzzle, play.PieceWidth, play.PieceHeight, c2, r2);
      DragTo(a.x, a.y, b.x, b.y);
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
      const int homeColumn = board.PieceColumn[column][row], homeRow = board.PieceRow[column][row];
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

  // The game is modified: leave it without saving.
  PostMessageA(play.Window, WM_CLOSE, 0, 0);
  HWND question = WaitMessageBox(game, 5000);
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(MessageBoxText(question), "The game has been modified. Save it?");
  PressButtonId(question, IDNO);
  EXPECT_EQ(game.Wait(), 0);
}
