#include <gtest/gtest.h>

#include "core/geometry.h"

TEST(FitSizeToBox, FitsByWidthOrHeight) {
  EXPECT_EQ(FitSizeToBox(1000, 500, 400, 400, true), (TSize{400, 200}));
  EXPECT_EQ(FitSizeToBox(500, 1000, 400, 400, true), (TSize{200, 400}));
  // Enlarging a small picture to the box.
  EXPECT_EQ(FitSizeToBox(100, 50, 400, 400, true), (TSize{400, 200}));
  EXPECT_EQ(FitSizeToBox(100, 50, 400, 400, false), (TSize{100, 50}));
  // A source exactly as wide as the box keeps its height unrounded.
  EXPECT_EQ(FitSizeToBox(400, 333, 400, 400, true), (TSize{400, 333}));
  EXPECT_EQ(FitSizeToBox(0, 50, 400, 400, true), (TSize{0, 0}));
  EXPECT_EQ(FitSizeToBox(50, 0, 400, 400, true), (TSize{0, 0}));
  // Truncation toward zero.
  EXPECT_EQ(FitSizeToBox(3, 2, 100, 100, true), (TSize{100, 66}));
  // Huge pictures do not overflow.
  EXPECT_EQ(FitSizeToBox(30000, 30000, 1000, 800, true), (TSize{800, 800}));
}

TEST(ArrangeWindow, SizesToTheWorkArea) {
  TWindowTemplate layout;
  layout.NonClientWidth = 6;
  layout.NonClientHeight = 44;

  TWindowArrangement small = ArrangeWindowOn(800, 600, layout);
  EXPECT_EQ(small.Window, (TRect{20, 15, 760, 570}));

  // A screen smaller than the minimum: the window is cut to the screen and
  // its frames, the title bar at the top edge, the boxes in the client area
  // that leaves.
  TWindowArrangement tiny = ArrangeWindowOn(640, 480, layout);
  EXPECT_EQ(tiny.Window, (TRect{-3, -3, 646, 486}));
  EXPECT_EQ(tiny.OriginalGroupBox, (TRect{5, 189, 340, 442 - 189 - 5}));
  EXPECT_EQ(tiny.PuzzleGroupBox, (TRect{350, 5, 640 - 340 - 10 - 5, 442 - 5 - 5}));
  EXPECT_EQ(tiny.PuzzleGroupBox.Left + tiny.PuzzleGroupBox.Width, 640 - 5);

  TWindowArrangement large = ArrangeWindowOn(1280, 1024, layout);
  EXPECT_EQ(large.Window, (TRect{32, 26, 1216, 972}));
  // Client 1210 wide: the original column takes 35 %, less its left.
  EXPECT_EQ(large.OriginalGroupBox, (TRect{5, 189, 418, 928 - 189 - 5}));
  EXPECT_EQ(large.OriginalImage, (TRect{5, 20, 408, 734 - 10}));
  EXPECT_EQ(large.PuzzleGroupBox, (TRect{428, 5, 1210 - 418 - 10 - 5, 928 - 5 - 5}));
  EXPECT_EQ(large.PuzzleImage, (TRect{5, 20, 777 - 10, 918 - 20 - 5}));

  // Below about 986 client pixels the panel's width rules.
  EXPECT_EQ(small.OriginalGroupBox.Width, 340);
}

TEST(ArrangeWindow, ScalesItsFiguresAndGivesNoBoxLessThanNothing) {
  // 1366 x 768 at 150 %: the scaled minimum height (810) is more than the
  // screen has; the window keeps to it, the boxes to its client area.
  TWindowTemplate layout = ScaleWindowTemplate(TWindowTemplate{}, 144);
  EXPECT_EQ(layout.OriginalGroupBox, (TRect{8, 284, 510, 428}));  // 7.5 rounds up, as MulDiv
  layout.NonClientWidth = 8;
  layout.NonClientHeight = 66;
  const TWindowArrangement laptop = ArrangeWindowOn(1366, 768, layout);
  EXPECT_EQ(laptop.Window, (TRect{34, -4, 1297, 776}));
  EXPECT_EQ(laptop.PuzzleGroupBox.Top + laptop.PuzzleGroupBox.Height, 776 - 66 - 8);
  EXPECT_EQ(ArrangeClientArea(300, 150, TWindowTemplate{}).OriginalGroupBox.Height, 0);
}

// A dialog on a second monitor, right of a first one of 1920 pixels, with the
// taskbar at its top: it is moved as little as it takes to lie within.
TEST(KeepWithin, MovesIntoTheAreaAsLittleAsItTakes) {
  const TRect second{1920, 40, 1280, 984};
  const struct {
    TRect Rect, Kept;
  } cases[] = {
      {{2000, 100, 400, 300}, {2000, 100, 400, 300}},   // within: stays
      {{1800, 10, 400, 300}, {1920, 40, 400, 300}},     // over the left and top edges
      {{3000, 900, 400, 300}, {2800, 724, 400, 300}},   // over the right and bottom edges
      {{1000, 0, 1400, 1100}, {1920, 40, 1400, 1100}},  // larger: left and top edges in
  };
  for (const auto& c : cases) EXPECT_EQ(KeepWithin(c.Rect, second), c.Kept) << c.Rect.Left;
}
