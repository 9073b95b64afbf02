#include <gtest/gtest.h>

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
