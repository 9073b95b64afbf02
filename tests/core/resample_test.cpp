#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "core/reduce.h"
#include "core/resample.h"
#include "tests/support/pixelbuffer.h"

namespace {

uint32_t Grey(uint32_t v) {
  return v << 16 | v << 8 | v;
}
uint32_t Blue(uint32_t p) {
  return p & 0xFF;
}
uint32_t Green(uint32_t p) {
  return p >> 8 & 0xFF;
}
uint32_t Red(uint32_t p) {
  return p >> 16 & 0xFF;
}

TPixelBuffer Picture(int width, int height, const std::function<uint32_t(int, int)>& pixel) {
  TPixelBuffer picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.Pixels[static_cast<size_t>(y) * width + x] = pixel(x, y);
  return picture;
}

// What the picture source does: reduce by whole blocks to at least twice the
// target, then resample into the target.
TPixelBuffer Scale(const TPixelBuffer& source, int width, int height, int orientation = 1) {
  const TSize factors = ReductionFactors(source.Width, source.Height, orientation, width, height);
  TBoxReducer reducer(source.Width, source.Height, factors.Width, factors.Height, orientation);
  reducer.AddRows(source.Bytes(), source.Width * 4, source.Height, TPixelLayout::Bgrx32);
  TPixelBuffer target(width, height);
  ResampleInto(reducer.Result(), target.View());
  return target;
}

uint32_t At(const TRgbPicture& picture, int x, int y) {
  const uint8_t* p = picture.Pixel(x, y);
  return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

std::pair<uint32_t, uint32_t> GreenRange(const TPixelBuffer& picture) {
  uint32_t low = 255, high = 0;
  for (uint32_t p : picture.Pixels) low = std::min(low, Green(p)), high = std::max(high, Green(p));
  return {low, high};
}

}  // namespace

TEST(Resample, FinePatternsAverageToFlatGrey) {
  // One-pixel stripes and checks at sizes that take the reduction stage and
  // sizes that go to the cubic filter directly; targets as the two views of a
  // 1280 by 1024 screen would have them.
  const std::vector<std::function<uint32_t(int, int)>> patterns = {
      [](int x, int) { return x % 2 ? Grey(255) : 0u; },
      [](int, int y) { return y % 2 ? Grey(255) : 0u; },
      [](int x, int y) { return (x + y) % 2 ? Grey(255) : 0u; },
  };
  struct Case {
    int SourceWidth, SourceHeight, TargetWidth, TargetHeight;
  };
  for (const Case c :
       {Case{2400, 1800, 767, 575}, Case{1700, 1999, 398, 468}, Case{3001, 2999, 395, 394},
        Case{3300, 2300, 398, 277}, Case{1600, 1200, 767, 575}, Case{1300, 1500, 767, 885}}) {
    for (size_t p = 0; p < patterns.size(); ++p) {
      const TPixelBuffer scaled =
          Scale(Picture(c.SourceWidth, c.SourceHeight, patterns[p]), c.TargetWidth, c.TargetHeight);
      const auto [low, high] = GreenRange(scaled);
      EXPECT_GE(low, 118u) << c.SourceWidth << "x" << c.SourceHeight << " pattern " << p;
      EXPECT_LE(high, 138u) << c.SourceWidth << "x" << c.SourceHeight << " pattern " << p;
    }
  }
}

TEST(Resample, FlatColourStaysFlat) {
  const uint32_t colour = 0x00C08040;
  for (auto [w, h, tw, th] : {std::array{1000, 700, 333, 250}, std::array{40, 30, 767, 893},
                              std::array{1, 1, 5, 7}, std::array{5000, 10, 17, 3}}) {
    const TPixelBuffer scaled = Scale(Picture(w, h, [&](int, int) { return colour; }), tw, th);
    for (uint32_t p : scaled.Pixels) ASSERT_EQ(p, colour) << w << "x" << h << " to " << tw;
  }
}

TEST(Resample, GradientsStayMonotone) {
  // A left-to-right ramp, enlarged and shrunk: no ringing makes it go back.
  auto ramp = [](int width) {
    return Picture(width, 20, [width](int x, int) { return Grey(x * 255 / (width - 1)); });
  };
  for (auto [w, tw] :
       {std::array{64, 767}, std::array{3000, 398}, std::array{500, 499}, std::array{7, 300}}) {
    const TPixelBuffer scaled = Scale(ramp(w), tw, 9);
    for (int y = 0; y < scaled.Height; ++y)
      for (int x = 1; x < scaled.Width; ++x)
        ASSERT_GE(Green(scaled.Pixels[y * tw + x]), Green(scaled.Pixels[y * tw + x - 1]))
            << w << " to " << tw << " at " << x;
    // The ends stay near black and white.
    EXPECT_LE(Green(scaled.Pixels[0]), 255u / w + 2);
    EXPECT_GE(Green(scaled.Pixels[tw - 1]), 253u - 255u / w);
  }
}

TEST(Orientation, EveryValueShowsTheMarkedCornerWhereThePhotoWasTaken) {
  // Stored picture 40 x 20 with a red block in its top left corner. For each
  // orientation, the corner where that block appears when shown upright.
  struct Expected {
    int Orientation;
    bool Right, Bottom;
  };
  const TPixelBuffer stored =
      Picture(40, 20, [](int x, int y) { return x < 8 && y < 4 ? 0x00FF0000u : 0x00FFFFFFu; });
  for (const Expected e :
       {Expected{1, false, false}, Expected{2, true, false}, Expected{3, true, true},
        Expected{4, false, true}, Expected{5, false, false}, Expected{6, true, false},
        Expected{7, true, true}, Expected{8, false, true}}) {
    const bool swap = e.Orientation >= 5;
    const int width = swap ? 20 : 40, height = swap ? 40 : 20;
    // Drawn at its own size: no scaling, so the block keeps its exact place.
    const TPixelBuffer upright = Scale(stored, width, height, e.Orientation);
    const int blockWidth = swap ? 4 : 8, blockHeight = swap ? 8 : 4;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const bool inX = e.Right ? x >= width - blockWidth : x < blockWidth;
        const bool inY = e.Bottom ? y >= height - blockHeight : y < blockHeight;
        ASSERT_EQ(upright.Pixels[y * width + x], inX && inY ? 0x00FF0000u : 0x00FFFFFFu)
            << "orientation " << e.Orientation << " at " << x << "," << y;
      }
  }
  // Unknown values show the picture as stored.
  EXPECT_EQ(UprightPosition(0, 40, 20, 1, 2), (TPoint32{1, 2}));
  EXPECT_EQ(UprightPosition(9, 40, 20, 1, 2), (TPoint32{1, 2}));
}

TEST(BlockReduction, AveragesWholeBlocks) {
  // 10 columns by 3 leave one column over: the last block is the last three
  // columns, overlapping its neighbour, and every block averages 3 x 2 pixels.
  const TPixelBuffer stored = Picture(10, 5, [](int x, int y) { return Grey(x * 20 + y); });
  TBoxReducer reducer(10, 5, 3, 2, 1);
  reducer.AddRows(stored.Bytes(), 40, 2, TPixelLayout::Bgrx32);
  reducer.AddRows(stored.Bytes() + 80, 40, 3, TPixelLayout::Bgrx32);
  const TRgbPicture& result = reducer.Result();
  ASSERT_EQ(result.Width, 4);
  ASSERT_EQ(result.Height, 3);
  const uint32_t expected[3][4] = {{20 + 1, 80 + 1, 140 + 1, 160 + 1},
                                   {20 + 3, 80 + 3, 140 + 3, 160 + 3},
                                   {20 + 4, 80 + 4, 140 + 4, 160 + 4}};  // halves round up
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(Green(At(result, x, y)), expected[y][x]) << x << "," << y;
}

TEST(Resample, OddSizes) {
  auto diagonal = [](int x, int y) { return Grey(static_cast<uint32_t>((x * 7 + y * 3) % 256)); };
  struct Case {
    int W, H, TW, TH;
  };
  for (const Case c : {Case{1, 500, 300, 20}, Case{500, 1, 20, 300}, Case{1, 1, 767, 893},
                       Case{2000, 10, 100, 400}, Case{10, 2000, 400, 100}, Case{3, 2, 1, 1},
                       Case{4000, 4000, 1, 1}}) {
    const TPixelBuffer source = Picture(c.W, c.H, diagonal);
    const TPixelBuffer scaled = Scale(source, c.TW, c.TH);
    ASSERT_EQ(scaled.Pixels.size(), static_cast<size_t>(c.TW) * c.TH);
    // Every pixel lies within the source's range of values.
    uint32_t low = 255, high = 0;
    for (uint32_t p : source.Pixels) low = std::min(low, Green(p)), high = std::max(high, Green(p));
    for (uint32_t p : scaled.Pixels) {
      ASSERT_GE(Green(p) + 1, low) << c.W << "x" << c.H << " to " << c.TW << "x" << c.TH;
      ASSERT_LE(Green(p), high + 1) << c.W << "x" << c.H << " to " << c.TW << "x" << c.TH;
    }
  }
  // Nothing to draw, or nowhere to draw it: the target is left alone.
  TPixelBuffer target(4, 4);
  std::fill(target.Pixels.begin(), target.Pixels.end(), 7u);
  ResampleInto(TRgbPicture(), target.View());
  EXPECT_EQ(target.Pixels[0], 7u);
  ResampleInto(TRgbPicture(3, 3), TPixelView{});
}

TEST(Resample, TransparentPixelsComeOutAsIfDrawnOverBlack) {
  // Straight alpha: white at half opacity gives mid grey; premultiplied
  // pixels are taken as they are.
  const uint8_t straight[] = {255, 255, 255, 128, 0, 0, 255, 0};
  const uint8_t premultiplied[] = {128, 128, 128, 128, 10, 20, 30, 255};
  for (auto [row, layout] : {std::pair{straight, TPixelLayout::Bgra32},
                             std::pair{premultiplied, TPixelLayout::PremultipliedBgra32}}) {
    TBoxReducer reducer(2, 1, 1, 1, 1);
    reducer.AddRows(row, 8, 1, layout);
    const TRgbPicture& result = reducer.Result();
    EXPECT_EQ(At(result, 0, 0), Grey(128));
    EXPECT_EQ(At(result, 1, 0), layout == TPixelLayout::Bgra32 ? 0u : 0x001E140Au);
  }
  // The same when drawing straight from decoded rows.
  for (auto [row, layout] : {std::pair{straight, TPixelLayout::Bgra32},
                             std::pair{premultiplied, TPixelLayout::PremultipliedBgra32}}) {
    TPixelBuffer target(4, 2);
    ResampleInto(TRowSource{1, 1, layout, [&row](int32_t) { return row; }}, target.View());
    for (uint32_t pixel : target.Pixels) EXPECT_EQ(pixel, Grey(128));
  }
  // Three bytes a pixel, in blue, green, red order.
  const uint8_t packed[] = {1, 2, 3, 4, 5, 6, 0, 0};
  TBoxReducer reducer(2, 1, 2, 1, 1);
  reducer.AddRows(packed, 8, 1, TPixelLayout::Bgr24);
  const uint32_t average = At(reducer.Result(), 0, 0);  // of (1,2,3) and (4,5,6)
  EXPECT_EQ(Red(average), 5u);
  EXPECT_EQ(Green(average), 4u);
  EXPECT_EQ(Blue(average), 3u);
}

TEST(BlockReduction, KeepsTwiceTheFittedSizeWithEvenBlocks) {
  // The picture fitted into the puzzle area of a 1280 x 1024 screen.
  EXPECT_EQ(ReductionFactors(1632, 1224, 1, 767, 893), (TSize{1, 1}));
  EXPECT_EQ(ReductionFactors(4000, 3000, 1, 767, 893), (TSize{2, 2}));  // fitted 767 x 575
  EXPECT_EQ(ReductionFactors(6000, 4000, 1, 767, 893), (TSize{2, 2}));  // 3 is odd
  EXPECT_EQ(ReductionFactors(4000, 6000, 6, 767, 893), (TSize{2, 2}));  // upright 6000 x 4000
  EXPECT_EQ(ReductionFactors(12000, 9000, 1, 767, 893), (TSize{6, 6}));
  EXPECT_EQ(ReductionFactors(65535, 65535, 1, 10, 10), (TSize{256, 256}));
  EXPECT_EQ(ReductionFactors(6000, 4000, 1, 0, 0), (TSize{1, 1}));
}
