#include <gtest/gtest.h>

#include <vector>

#include "core/jpegrows.h"

TEST(JpegPlan, DecodesAtTheSmallestScaleThatKeepsTwiceTheView) {
  struct Case {
    int Width, Height, Orientation, Denominator;
  };
  // The puzzle area of a 1280 x 1024 screen: 767 x 893.
  for (const Case c : {Case{16320, 12240, 1, 8}, Case{12247, 8165, 1, 4}, Case{6000, 4000, 1, 2},
                       Case{1632, 1224, 1, 1}, Case{12240, 16320, 6, 8}, Case{65535, 64, 1, 1}}) {
    const TJpegPlan plan = PlanJpegDecoding(c.Width, c.Height, c.Orientation, 767, 893);
    EXPECT_EQ(plan.Denominator, c.Denominator) << c.Width << "x" << c.Height;
    const int d = plan.Denominator;
    EXPECT_EQ(plan.Scaled, (TSize{(c.Width + d - 1) / d, (c.Height + d - 1) / d}));
    // What the scale left is averaged in blocks down to twice the view.
    EXPECT_EQ(plan.Factors,
              ReductionFactors(plan.Scaled.Width, plan.Scaled.Height, c.Orientation, 767, 893));
  }
  // No area: the whole picture.
  EXPECT_EQ(PlanJpegDecoding(16320, 12240, 1, 0, 0).Denominator, 1);
}

TEST(JpegRows, InkBecomesColourAndRowsAreReducedUpright) {
  // Two pixels a row: no ink and full cyan; two rows, the second all black
  // ink. Adobe's files store ink inverted.
  const std::vector<uint8_t> plain = {0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0, 255};
  std::vector<uint8_t> inverted(plain);
  for (uint8_t& b : inverted) b = uint8_t(255 - b);
  for (const auto& [colours, bytes] :
       {std::pair{TJpegColours::Cmyk, plain}, std::pair{TJpegColours::InvertedCmyk, inverted}}) {
    TJpegRows rows(2, 2, colours, TSize{1, 1}, 6);  // turned a quarter: 2 x 2 still
    EXPECT_EQ(rows.BytesPerPixel(), 4);
    rows.AddRows(bytes.data(), 8, 1);
    EXPECT_FALSE(rows.Complete());
    EXPECT_TRUE(rows.TakeResult().Empty());
    rows.AddRows(bytes.data() + 8, 8, 5);  // rows past the last are ignored
    ASSERT_TRUE(rows.Complete());
    const TRgbPicture result = rows.TakeResult();
    ASSERT_EQ(result.Width, 2);
    // Orientation 6: stored (x, y) shows at (1 - y, x).
    auto bgr = [&](int x, int y) {
      const uint8_t* p = result.Pixel(x, y);
      return std::vector<int>{p[0], p[1], p[2]};
    };
    EXPECT_EQ(bgr(1, 0), (std::vector<int>{255, 255, 255}));  // white
    EXPECT_EQ(bgr(1, 1), (std::vector<int>{255, 255, 0}));    // cyan
    EXPECT_EQ(bgr(0, 0), (std::vector<int>{0, 0, 0}));
  }
  // Colour rows go through as they are, averaged in blocks.
  const std::vector<uint8_t> bgr = {10, 20, 30, 30, 40, 50};
  TJpegRows rows(2, 1, TJpegColours::Bgr, TSize{2, 1}, 1);
  rows.AddRows(bgr.data(), 6, 1);
  const TRgbPicture one = rows.TakeResult();
  ASSERT_EQ(one.Width, 1);
  EXPECT_EQ(one.Pixel(0, 0)[0], 20);
  EXPECT_EQ(one.Pixel(0, 0)[2], 40);
}
