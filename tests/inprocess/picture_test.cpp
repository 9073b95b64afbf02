#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "picturetesting.h"

using namespace picturetesting;

TEST_F(PictureTest, ExtensionsListEveryDecoderInLowerCase) {
  const std::string filter = GetPictureExtensionsAsFilter();
  for (const char* pattern : {"*.bmp", "*.jpg", "*.jpeg", "*.gif", "*.png", "*.tif"})
    EXPECT_NE(filter.find(pattern), std::string::npos) << pattern << " in " << filter;
  EXPECT_EQ(filter.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos) << filter;
  EXPECT_NE(filter.back(), ';');
  EXPECT_EQ(filter.find(";;"), std::string::npos) << filter;
}

TEST_F(PictureTest, DecodesEachFormatWithItsKnownColours) {
  // Quadrants red, lime / blue, yellow; JPEG only approximately.
  const uint32_t red = 0xFF0000, lime = 0x00FF00, blue = 0x0000FF, yellow = 0xFFFF00;
  for (const auto& [name, tolerance] :
       {std::pair{"quadrants.bmp", 0}, std::pair{"quadrants.png", 0}, std::pair{"quadrants.gif", 0},
        std::pair{"quadrants.jpg", 40}}) {
    const TPixelBuffer picture = Decode(TestPicture(name));
    ASSERT_EQ(picture.Width, 64) << name;
    ASSERT_EQ(picture.Height, 48) << name;
    // Away from the quadrants' borders, where JPEG blurs.
    auto at = [&](int x, int y) { return picture.Pixels[y * 64 + x]; };
    EXPECT_TRUE(Near(at(8, 6), red, tolerance)) << name << " " << std::hex << at(8, 6);
    EXPECT_TRUE(Near(at(56, 6), lime, tolerance)) << name << " " << std::hex << at(56, 6);
    EXPECT_TRUE(Near(at(8, 42), blue, tolerance)) << name << " " << std::hex << at(8, 42);
    EXPECT_TRUE(Near(at(56, 42), yellow, tolerance)) << name << " " << std::hex << at(56, 42);
  }
  // Transparent pixels come out as if drawn over black.
  const TPixelBuffer translucent = Decode(TestPicture("translucent.png"));
  ASSERT_FALSE(translucent.Empty());
  EXPECT_TRUE(Near(translucent.Pixels[0], 0x808080, 2)) << std::hex << translucent.Pixels[0];
  const TPixelBuffer transparent = Decode(TestPicture("transparent.gif"));
  ASSERT_EQ(transparent.Width, 40);
  EXPECT_EQ(transparent.Pixels[5 * 40 + 5], 0xFF0000u);
  EXPECT_EQ(transparent.Pixels[5 * 40 + 35], 0u);
}

TEST_F(PictureTest, DrawsAMetafile) {
  // A red square on white, drawn as an enhanced metafile.
  const std::string path = TempPath("quiltra-square.emf");
  HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  const RECT all{0, 0, 200, 100}, square{100, 0, 200, 100};
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255)), red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &all, white);
  FillRect(dc, &square, red);
  DeleteEnhMetaFile(CloseEnhMetaFile(dc));
  DeleteObject(white);
  DeleteObject(red);

  const TPictureSource picture(path, 767, 893);
  ASSERT_GT(picture.Width(), 0);
  ASSERT_GT(picture.Height(), 0);
  const TPixelBuffer drawn = Draw(picture, 80, 40);
  EXPECT_TRUE(Near(drawn.Pixels[20 * 80 + 10], 0xFFFFFF, 30)) << std::hex << drawn.Pixels[810];
  EXPECT_TRUE(Near(drawn.Pixels[20 * 80 + 70], 0xFF0000, 30)) << std::hex << drawn.Pixels[1670];
  DeleteFileA(path.c_str());
}

TEST_F(PictureTest, BothViewsMatchImageMagicksResize) {
  // One decoding for both views, as a picture load does; this picture is too
  // small for the puzzle area to be reduced. The same picture for a smaller
  // area is reduced while it is read.
  const TPictureSource photo(TestPicture("photo.jpg"), 767, 893);
  const TPictureSource reduced(TestPicture("photo.jpg"), 398, 709);
  ASSERT_EQ(photo.Width(), 2400);
  ASSERT_EQ(photo.Height(), 1800);
  ASSERT_EQ(reduced.Width(), 2400);
  struct Case {
    const TPictureSource& Source;
    int Width, Height;
  };
  for (const Case c : {Case{photo, 767, 575}, Case{photo, 398, 298}, Case{reduced, 398, 298}}) {
    const TPixelBuffer drawn = Draw(c.Source, c.Width, c.Height);
    const std::string size = std::to_string(c.Width) + "x" + std::to_string(c.Height);
    const TPixelBuffer reference = Decode(TestPicture("photo-" + size + ".png"));
    ASSERT_EQ(reference.Width, c.Width);
    const double psnr = Psnr(drawn, reference);
    EXPECT_GE(psnr, 40.0) << size;
    std::printf("PSNR against ImageMagick at %s%s: %.1f dB\n", size.c_str(),
                &c.Source == &reduced ? " (reduced)" : "", psnr);
  }
}

TEST_F(PictureTest, FineStripesShrinkToFlatGrey) {
  for (auto [name, width, height] :
       {std::tuple{"stripes.png", 767, 575}, std::tuple{"stripes.png", 398, 298},
        std::tuple{"stripes.jpg", 767, 575}, std::tuple{"stripes.jpg", 398, 298}}) {
    const TPictureSource stripes(TestPicture(name), 767, 893);
    const TPixelBuffer drawn = Draw(stripes, width, height);
    int low = 255, high = 0;
    for (uint32_t pixel : drawn.Pixels)
      for (int shift : {0, 8, 16})
        low = std::min(low, Channel(pixel, shift)), high = std::max(high, Channel(pixel, shift));
    EXPECT_GE(low, 118) << name << " " << width;
    EXPECT_LE(high, 138) << name << " " << width;
  }
}

TEST_F(PictureTest, BadInputReadsAsAnEmptyPicture) {
  // A PNG whose header claims 30000 x 30000 pixels: never decoded.
  const std::string huge = TempPath("quiltra-huge.png");
  {
    std::ofstream file(huge, std::ios::binary);
    const unsigned char header[] = {0x89, 'P', 'N',  'G',  '\r', '\n', 0x1A, '\n',  // signature
                                    0,    0,   0,    13,   'I',  'H',  'D',  'R',   // chunk
                                    0,    0,   0x75, 0x30, 0,    0,    0x75, 0x30,  // 30000 x 30000
                                    8,    6,   0,    0,    0,    0x66, 0x27, 0xF8,
                                    0xBA};  // RGBA, CRC
    file.write(reinterpret_cast<const char*>(header), sizeof header);
    for (int i = 0; i < 4096; ++i) file.put(static_cast<char>(i * 31));
  }
  const std::string longPath = "C:\\" + std::string(296, 'a') + ".png";
  const size_t peakBefore = PeakMemory();
  for (const std::string& path :
       {TestPicture("garbage.jpg"), TestPicture("truncated.jpg"), TestPicture("empty.png"),
        TestPicture("no-such-file.png"), huge, longPath, std::string()}) {
    const TPictureSource picture(path, 767, 893);
    EXPECT_EQ(picture.Width(), 0) << path;
    EXPECT_EQ(picture.Height(), 0) << path;
    // Drawing it leaves the view black.
    TPixelBuffer view(20, 10);
    picture.DrawInto(view.View());
    EXPECT_EQ(std::count(view.Pixels.begin(), view.Pixels.end(), 0u), 200) << path;
  }
  EXPECT_LT(PeakMemory() - peakBefore, size_t{64} << 20);
  DeleteFileA(huge.c_str());
}
