// Loading pictures: F5 lays a picture out as a new game, Ctrl+F5 recuts it
// with the grid now chosen, and a picture that has gone is reported.
#include <gtest/gtest.h>

#include "support/driver.h"
#include "support/game.h"
#include "tests/support/testpicture.h"

using namespace ui;

namespace {

bool IsYellow(uint32_t pixel) {
  return pixel == 0xFFFF00u;
}

}  // namespace

TEST(Pictures, LoadReloadAndAMissingPicture) {
  TTempDir folder;
  TProcess game(InstallGame(folder));
  HWND window = game.WaitWindow("TQuiltraForm");
  ASSERT_NE(window, nullptr);

  const SIZE piece = PieceSize(window, 7, 7);
  const std::string picture = folder.File("cells.bmp");
  ASSERT_TRUE(testpicture::WriteGridPicture(picture, 7, 7, piece.cx, piece.cy));
  ASSERT_TRUE(LoadPictureWithF5(game, window, picture));
  EXPECT_EQ(Text(window), "Quiltra");
  EXPECT_TRUE(HasLabel(window, "Press [Alt + R] to randomize the picture."));
  Sleep(300);
  SaveScreenshot("picture-loaded");

  // The puzzle view shows the clean picture: no frames on the pieces.
  HWND puzzle = PuzzleView(window);
  RECT puzzleRect{};
  GetClientRect(puzzle, &puzzleRect);
  EXPECT_EQ(puzzleRect.right, 7 * piece.cx);
  EXPECT_EQ(puzzleRect.bottom, 7 * piece.cy);
  const TShot puzzleShot = CaptureClient(puzzle);
  for (int cell = 0; cell < 49; ++cell) {
    const int column = cell % 7, row = cell / 7;
    int c = -1, r = -1;
    EXPECT_TRUE(testpicture::CellOfColour(
        puzzleShot.At(column * piece.cx + 1, row * piece.cy + piece.cy / 2), c, r, 12));
    EXPECT_EQ(c, column);
    EXPECT_EQ(r, row);
  }
  // The original view is framed, all yellow: every piece is home.
  HWND original = OriginalView(window);
  const TShot originalShot = CaptureClient(original);
  const int cellWidth = originalShot.Width / 7, cellHeight = originalShot.Height / 7;
  EXPECT_EQ(originalShot.Width % 7, 0);
  EXPECT_EQ(originalShot.Height % 7, 0);
  for (int row = 0; row < 7; ++row)
    for (int column = 0; column < 7; ++column) {
      EXPECT_TRUE(IsYellow(originalShot.At(column * cellWidth, row * cellHeight + cellHeight / 2)));
      EXPECT_TRUE(IsYellow(
          originalShot.At(column * cellWidth + cellWidth - 1, row * cellHeight + cellHeight / 2)));
      EXPECT_TRUE(IsYellow(originalShot.At(column * cellWidth + cellWidth / 2, row * cellHeight)));
    }

  // Another grid takes effect only with Ctrl+F5.
  ChooseGrid(window, 10, 12);
  Sleep(200);
  EXPECT_EQ(PuzzleView(window), puzzle);
  PressKey(VK_F5, {VK_CONTROL});
  ASSERT_TRUE(WaitFor([&] { return PuzzleView(window) && PuzzleView(window) != puzzle; }));
  const SIZE small = PieceSize(window, 10, 12);
  RECT recut{};
  GetClientRect(PuzzleView(window), &recut);
  EXPECT_EQ(recut.right % small.cx, 0);
  EXPECT_EQ(recut.bottom % small.cy, 0);
  EXPECT_GE(recut.right / small.cx, 10);
  EXPECT_GE(recut.bottom / small.cy, 12);

  // A picture that has gone is reported under the command's headline.
  ASSERT_TRUE(DeleteFileA(picture.c_str()));
  PressKey(VK_F5, {VK_CONTROL});
  HWND dialog = WaitErrorDialog(game);
  ASSERT_NE(dialog, nullptr);
  const std::string text = ErrorDialogText(dialog);
  EXPECT_EQ(text.rfind("DESCRIPTION\r\nFailed to load game.\r\n", 0), 0u) << text;
  EXPECT_NE(text.find("* Description: \"There is no such file.\""), std::string::npos);
  EXPECT_NE(text.find("* Parameter 1: \"" + picture + "\""), std::string::npos);
  PressButton(dialog, "&Okay");
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(game.Wait(), 0);
}
