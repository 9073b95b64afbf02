#include <gtest/gtest.h>

#include <vector>

#include "core/boardpaint.h"
#include "tests/support/boards.h"

namespace {

// A picture whose every pixel says where it came from: x in the low 12 bits,
// y in the next 12.
struct Picture {
  std::vector<uint32_t> Pixels;
  TPixelView View;
  Picture(int width, int height, bool coded) : Pixels(static_cast<size_t>(width) * height) {
    View = TPixelView{Pixels.data(), width, height, width};
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        Pixels[static_cast<size_t>(y) * width + x] = coded ? (uint32_t(y) << 12 | uint32_t(x)) : 0;
  }
};

int SourceX(uint32_t pixel) {
  return static_cast<int>(pixel & 0xFFF);
}
int SourceY(uint32_t pixel) {
  return static_cast<int>(pixel >> 12 & 0xFFF);
}

}  // namespace

TEST(BoardPaint, EachFlipCombinationFillsExactlyTheCell) {
  const int w = 40, h = 30;
  TBoard board = test::PlayingBoard(4, 3);
  board.SwapCells(0, 0, 2, 1);  // piece (0,0) now lies in cell (2,1), misplaced
  Picture backup(4 * w, 3 * h, true);
  for (int flags = 0; flags < 4; ++flags) {
    const bool fh = flags & 1, fv = flags & 2;
    Picture puzzle(4 * w, 3 * h, false);
    for (auto& pixel : puzzle.Pixels) pixel = 0xFFFFFFFF;
    PaintPiece(board, {w, h}, backup.View, puzzle.View, 0, 0, fh, fv, 2, 1);
    for (int y = 0; y < 3 * h; ++y)
      for (int x = 0; x < 4 * w; ++x) {
        const uint32_t pixel = puzzle.View.At(x, y);
        const bool inCell = x >= 80 && x < 120 && y >= 30 && y < 60;
        if (!inCell) {
          ASSERT_EQ(pixel, 0xFFFFFFFFu) << x << "," << y;
          continue;
        }
        const int dx = x - 80, dy = y - 30;
        ASSERT_EQ(SourceX(pixel), fh ? w - 1 - dx : dx) << "flags " << flags;
        ASSERT_EQ(SourceY(pixel), fv ? h - 1 - dy : dy) << "flags " << flags;
      }
  }
}

TEST(BoardPaint, APieceAtHomeIsNeverMirrored) {
  TBoard board = test::PlayingBoard(2, 2);
  Picture backup(20, 20, true);
  Picture puzzle(20, 20, false);
  PaintPiece(board, {10, 10}, backup.View, puzzle.View, 1, 1, true, true, 1, 1);
  EXPECT_EQ(puzzle.View.At(10, 10), backup.View.At(10, 10));
  EXPECT_EQ(puzzle.View.At(19, 19), backup.View.At(19, 19));
}

TEST(BoardPaint, FramesLieOnTheCellsOutermostPixels) {
  TBoard board = test::PlayingBoard(3, 2);
  board.SwapCells(0, 0, 1, 0);
  Picture view(24, 12, false);
  PaintCellFrame(view.View, 8, 6, 1, 0, FrameColor(board, 1, 0, true, false));
  const uint32_t red = PixelFromColorRef(kMarkedFrameColor);
  EXPECT_EQ(red, 0x00FF0000u);
  for (int x = 8; x < 16; ++x) {
    EXPECT_EQ(view.View.At(x, 0), red);
    EXPECT_EQ(view.View.At(x, 5), red);
  }
  for (int y = 0; y < 6; ++y) {
    EXPECT_EQ(view.View.At(8, y), red);
    EXPECT_EQ(view.View.At(15, y), red);
  }
  EXPECT_EQ(view.View.At(9, 1), 0u);
  EXPECT_EQ(view.View.At(7, 0), 0u);
  EXPECT_EQ(view.View.At(16, 0), 0u);
  EXPECT_EQ(view.View.At(8, 6), 0u);
}

TEST(BoardPaint, FrameColours) {
  TBoard board = test::PlayingBoard(3, 3);
  board.SwapCells(0, 0, 1, 0);
  EXPECT_EQ(FrameColor(board, 2, 2, true, false), kHomeFrameColor);  // home beats marked
  EXPECT_EQ(FrameColor(board, 0, 0, true, true), kMarkedFrameColor);
  EXPECT_EQ(FrameColor(board, 0, 0, false, true), kLightFrameColor);
  EXPECT_EQ(FrameColor(board, 0, 0, false, false), kDarkFrameColor);
  EXPECT_EQ(PixelFromColorRef(kHomeFrameColor), 0x00FFFF00u);
  EXPECT_EQ(PixelFromColorRef(kLightFrameColor), 0x00C0C0C0u);
}

TEST(BoardPaint, OnePieceWideFramesStillClose) {
  Picture view(1, 6, false);
  DrawFrame(view.View, 0, 0, 1, 6, 7);
  for (int y = 0; y < 6; ++y) EXPECT_EQ(view.View.At(0, y), 7u);
}

TEST(BoardPaint, FramesGrowInwardsWithTheLineWidth) {
  Picture view(10, 12, false);
  PaintCellFrame(view.View, 5, 6, 1, 1, kMarkedFrameColor, 2);
  const uint32_t red = PixelFromColorRef(kMarkedFrameColor);
  // Cell (1, 1) is x 5..9, y 6..11: two pixels on every side, nothing inside
  // or outside.
  for (int x = 5; x <= 9; ++x)
    for (int y = 6; y <= 11; ++y) {
      const bool frame = x <= 6 || x >= 8 || y <= 7 || y >= 10;
      EXPECT_EQ(view.View.At(x, y), frame ? red : 0u) << x << "," << y;
    }
  EXPECT_EQ(view.View.At(4, 7), 0u);
  EXPECT_EQ(view.View.At(6, 5), 0u);
}
