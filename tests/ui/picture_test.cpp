// Loading pictures: F5 lays a picture out as a new game, Ctrl+F5 recuts it
// with the grid now chosen, and a picture that has gone is reported.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "photojpeg.h"
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
  TStartedGame started;
  auto& [folder, game, window] = started;
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

TEST(Pictures, A200MegapixelPhotoShowsAndPlays) {
  // The full size of current phones' photos, beyond what GDI+ decodes in a
  // 32-bit process; written once into the build tree.
  const char* build = std::getenv("QUILTRA_BUILD_DIR");
  std::string photo = std::string("Z:") + (build ? build : "") + "/tests/ui/photo-16320x12240.jpg";
  for (char& c : photo)
    if (c == '/') c = '\\';
  if (GetFileAttributesA(photo.c_str()) == INVALID_FILE_ATTRIBUTES) {
    CreateDirectoryA(photo.substr(0, photo.rfind('\\')).c_str(), nullptr);
    ASSERT_TRUE(WritePhotoJpeg(photo + ".part", 16320, 12240));
    ASSERT_TRUE(MoveFileA((photo + ".part").c_str(), photo.c_str()));
  }
  TStartedGame started;
  auto& [folder, game, window] = started;
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(LoadPictureWithF5(game, window, photo));

  // Whole rows of pieces of a 4:3 photo, showing it (not one black piece).
  const SIZE piece = PieceSize(window, 7, 7);
  HWND puzzle = PuzzleView(window);
  RECT rect{};
  GetClientRect(puzzle, &rect);
  ASSERT_EQ(rect.right, 7 * piece.cx);
  const int cells = 7 * (rect.bottom / piece.cy);
  ASSERT_GE(cells, 21);
  GetClientRect(OriginalView(window), &rect);
  EXPECT_GT(rect.right, 0);
  // A few pixels of each piece, to find it again after the shuffle.
  auto signatures = [&](const TShot& shot) {
    std::vector<std::vector<uint32_t>> result;
    for (int cell = 0; cell < cells; ++cell) {
      const int x = cell % 7 * piece.cx, y = cell / 7 * piece.cy;
      result.push_back({shot.At(x + piece.cx / 3, y + piece.cy / 3),
                        shot.At(x + piece.cx / 2, y + piece.cy / 2),
                        shot.At(x + 2 * piece.cx / 3, y + 2 * piece.cy / 3)});
    }
    return result;
  };
  // Painted, however long a busy machine takes.
  std::vector<std::vector<uint32_t>> home;
  int distinct = 0;
  WaitFor(
      [&] {
        home = signatures(CaptureClient(puzzle));
        distinct = 0;
        for (int cell = 1; cell < cells; ++cell) distinct += home[cell] != home[0];
        return distinct > cells - 5;
      },
      30000);
  EXPECT_GT(distinct, cells - 5);

  PressKey('R', {VK_MENU});
  ASSERT_TRUE(WaitFor([&] { return HasLabel(window, "You have made 0 moves."); }));
  // Drop one misplaced piece on its home, once the shuffle shows.
  int from = -1, to = -1;
  WaitFor([&] {
    const auto shuffled = signatures(CaptureClient(puzzle));
    for (int cell = 0; cell < cells && from < 0; ++cell)
      for (int target = 0; target < cells; ++target)
        if (target != cell && shuffled[cell] == home[target]) from = cell, to = target;
    return from >= 0;
  });
  ASSERT_GE(from, 0);
  const POINT a = CellCentre(puzzle, piece.cx, piece.cy, from % 7, from / 7);
  const POINT b = CellCentre(puzzle, piece.cx, piece.cy, to % 7, to / 7);
  DragTo(a.x, a.y, b.x, b.y);
  EXPECT_TRUE(WaitFor([&] { return HasLabel(window, "You have made 1 moves."); }));
  EXPECT_TRUE(HasLabel(window, "You have made 0 wrong moves."));
  Sleep(200);
  SaveScreenshot("photo-200mp-played");

  // Leave the game without saving it.
  PostMessageA(window, WM_CLOSE, 0, 0);
  HWND question = WaitMessageBox(game, 5000);
  ASSERT_NE(question, nullptr);
  PressButtonId(question, IDNO);
  EXPECT_EQ(game.Wait(), 0);
}
