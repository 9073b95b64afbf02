// JPEG files through libjpeg-turbo: the same pictures as GDI+ decodes, for
// every kind of JPEG; damaged and hostile files as no picture, quickly and
// in bounded memory; a 200-megapixel photo in a few megabytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/reduce.h"
#include "photojpeg.h"
#include "picturetesting.h"
#include "platform/gdiplusapi.h"
#include "platform/jpegpicture.h"
#include "tests/support/files.h"

using namespace picturetesting;

namespace {

// GDI+'s own decoding of a file, its stored pixels as they are.
TPixelBuffer GdiplusDecode(const std::string& path) {
  using namespace Gdiplus;
  using namespace Gdiplus::DllExports;
  const std::wstring wide(path.begin(), path.end());
  GpImage* image = nullptr;
  if (GdipLoadImageFromFile(wide.c_str(), &image) != Ok) return TPixelBuffer(0, 0);
  UINT width = 0, height = 0;
  GdipGetImageWidth(image, &width);
  GdipGetImageHeight(image, &height);
  TPixelBuffer pixels{int(width), int(height)};
  BitmapData data{};
  data.Width = width, data.Height = height, data.Stride = int(width) * 4;
  data.PixelFormat = PixelFormat32bppRGB, data.Scan0 = pixels.Pixels.data();
  const GpRect all(0, 0, int(width), int(height));
  auto* bitmap = reinterpret_cast<GpBitmap*>(image);
  if (GdipBitmapLockBits(bitmap, &all, ImageLockModeRead | ImageLockModeUserInputBuf,
                         PixelFormat32bppRGB, &data) == Ok)
    GdipBitmapUnlockBits(bitmap, &data);
  GdipDisposeImage(image);
  return pixels;
}

// The largest difference of any colour of any pixel, and the mean one.
struct TDifference {
  int Largest = 255;
  double Mean = 255;
};
TDifference Compare(const TPixelBuffer& a, const TPixelBuffer& b) {
  TDifference result;
  if (a.Width != b.Width || a.Height != b.Height || a.Empty()) return result;
  double sum = 0;
  result.Largest = 0;
  for (size_t i = 0; i < a.Pixels.size(); ++i)
    for (int shift : {0, 8, 16}) {
      const int d = std::abs(Channel(a.Pixels[i], shift) - Channel(b.Pixels[i], shift));
      result.Largest = std::max(result.Largest, d);
      sum += d;
    }
  result.Mean = sum / (3.0 * a.Pixels.size());
  return result;
}

// The working set now: a load's peak is measured from it.
size_t WorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.WorkingSetSize;
}

// A photo-like JPEG in the build tree, written once.
std::string BigPhoto(int width, int height) {
  const std::string path =
      TestPicture("photo-" + std::to_string(width) + "x" + std::to_string(height) + ".jpg");
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    EXPECT_TRUE(WritePhotoJpeg(path + ".part", width, height));
    MoveFileA((path + ".part").c_str(), path.c_str());
  }
  return path;
}

}  // namespace

TEST_F(PictureTest, EveryKindOfJpegLooksAsThroughGdiplus) {
  for (const char* name :
       {"small.jpg", "small-cmyk.jpg", "small-gray.jpg", "small-progressive.jpg", "coded.jpg"}) {
    const TDifference d = Compare(Decode(TestPicture(name)), GdiplusDecode(TestPicture(name)));
    EXPECT_LE(d.Largest, 12) << name;
    EXPECT_LE(d.Mean, 1.5) << name;
    std::printf("%s against GDI+: largest difference %d, mean %.2f\n", name, d.Largest, d.Mean);
  }
  // The coded cells keep their colours within a few levels.
  const TPixelBuffer coded = Decode(TestPicture("coded.jpg"));
  ASSERT_EQ(coded.Width, 280);
  for (int row = 0; row < 7; ++row)
    for (int column = 0; column < 7; ++column)
      EXPECT_TRUE(Near(coded.Pixels[(row * 30 + 15) * 280 + column * 40 + 20],
                       uint32_t(40 + 7 * column) << 16 | uint32_t(40 + 7 * row) << 8 | 160, 3))
          << column << " " << row;
}

TEST_F(PictureTest, EveryRecordedOrientationTurnsAsTheTagSays) {
  // The same stored pixels, tagged 1 to 8: each must show GDI+'s decoding of
  // them turned upright.
  const TPixelBuffer stored = GdiplusDecode(TestPicture("marked.jpg"));
  ASSERT_EQ(stored.Width, 300);
  for (int orientation = 1; orientation <= 8; ++orientation) {
    const std::string name =
        orientation == 1 ? "marked.jpg" : "marked-" + std::to_string(orientation) + ".jpg";
    const TPictureSource picture(TestPicture(name), 767, 893);
    const bool swap = OrientationSwapsAxes(orientation);
    ASSERT_EQ(picture.Width(), swap ? 200 : 300) << name;
    const TPixelBuffer upright = Draw(picture, picture.Width(), picture.Height());
    TPixelBuffer expected(upright.Width, upright.Height);
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x) {
        const TPoint32 to = UprightPosition(orientation, 300, 200, x, y);
        expected.Pixels[to.Y * expected.Width + to.X] = stored.Pixels[y * 300 + x];
      }
    EXPECT_LE(Compare(upright, expected).Largest, 12) << name;
  }
}

TEST_F(PictureTest, ArithmeticCodedJpegDecodesAsItsHuffmanTwin) {
  const std::string huffman = TempPath("quiltra-huffman.jpg"),
                    arithmetic = TempPath("quiltra-arith.jpg");
  TPhotoJpegOptions options;
  ASSERT_TRUE(WritePhotoJpeg(huffman, 640, 480, options));
  options.Arithmetic = true;
  ASSERT_TRUE(WritePhotoJpeg(arithmetic, 640, 480, options));
  EXPECT_EQ(Compare(Decode(arithmetic), Decode(huffman)).Largest, 0);
  DeleteFileA(huffman.c_str());
  DeleteFileA(arithmetic.c_str());
}

TEST_F(PictureTest, HostileJpegsReadAsNoPictureQuicklyInBoundedMemory) {
  // The markers of a small, valid JPEG up to its compressed data.
  const std::string valid = test::ReadText(TestPicture("quadrants.jpg"));
  size_t scan = 2;
  while (scan + 4 < valid.size() && uint8_t(valid[scan + 1]) != 0xDA)
    scan += 2 + (uint8_t(valid[scan + 2]) << 8 | uint8_t(valid[scan + 3]));
  ASSERT_LT(scan + 4, valid.size());
  const size_t data = scan + 2 + (uint8_t(valid[scan + 2]) << 8 | uint8_t(valid[scan + 3]));
  // The frame's size patched in: height at 5, width at 7 bytes after it.
  auto sized = [&](std::string bytes, int width, int height) {
    for (size_t i = 2; i + 8 < data; ++i)
      if (uint8_t(bytes[i]) == 0xFF && uint8_t(bytes[i + 1]) == 0xC0) {
        bytes[i + 5] = char(height >> 8), bytes[i + 6] = char(height);
        bytes[i + 7] = char(width >> 8), bytes[i + 8] = char(width);
      }
    return bytes;
  };
  // A photo's header over random bytes, with an end marker so that the file
  // reads as complete.
  std::string garbage = sized({valid.begin(), valid.begin() + long(data)}, 4000, 3000);
  uint32_t random = 1;
  for (int i = 0; i < 200000; ++i)
    garbage.push_back(char((random = random * 1103515245 + 12345) >> 24));
  garbage.insert(garbage.end(), {char(0xFF), char(0xD9)});
  // 65535 x 65535 claimed over the few bytes of 64 x 48.
  std::string huge = sized(valid, 65535, 65535);
  // A big picture with a restart interval of one block, then 20 MB of
  // nothing but restart markers.
  std::string restarts = sized({valid.begin(), valid.begin() + long(scan)}, 20000, 20000);
  restarts.insert(restarts.end(), {char(0xFF), char(0xDD), 0, 4, 0, 1});
  restarts.insert(restarts.end(), valid.begin() + long(scan), valid.begin() + long(data));
  for (int i = 0; i < 10 << 20; ++i)
    restarts.insert(restarts.end(), {char(0xFF), char(0xD0 + i % 8)});
  restarts.insert(restarts.end(), {char(0xFF), char(0xD9)});

  // Twelve bits a sample: not the library's, so GDI+ has its try.
  std::string twelveBits = valid;
  for (size_t i = 2; i + 4 < data; ++i)
    if (uint8_t(twelveBits[i]) == 0xFF && uint8_t(twelveBits[i + 1]) == 0xC0)
      twelveBits[i + 1] = char(0xC1), twelveBits[i + 4] = 12;
  const std::string twelvePath = TempPath("quiltra-12bit.jpg");
  test::WriteText(twelvePath, twelveBits);
  EXPECT_EQ(
      DecodeJpeg(std::wstring(twelvePath.begin(), twelvePath.end()), 1, 767, 893, 0, 0).Outcome,
      TJpegOutcome::Refused);
  DeleteFileA(twelvePath.c_str());

  const size_t before = WorkingSet();
  for (const auto& [name, bytes] : {std::pair{"garbage", &garbage}, std::pair{"huge", &huge},
                                    std::pair{"restarts", &restarts}}) {
    const std::string path = TempPath(std::string("quiltra-") + name + ".jpg");
    test::WriteText(path, *bytes);
    const DWORD start = GetTickCount();
    const TPictureSource picture(path, 767, 893);
    EXPECT_TRUE(picture.Empty()) << name;
    EXPECT_LT(GetTickCount() - start, 5000u) << name;
    DeleteFileA(path.c_str());
  }
  for (const char* name : {"empty.jpg", "truncated.jpg"})
    EXPECT_TRUE(TPictureSource(TestPicture(name), 767, 893).Empty()) << name;
  EXPECT_LT(PeakMemory() - before, size_t{64} << 20);
}

TEST_F(PictureTest, A200MegapixelPhotoLoadsInAFewMegabytes) {
  const std::string path = BigPhoto(16320, 12240);
  const size_t before = WorkingSet();
  const TPictureSource picture(path, 767, 893);
  EXPECT_LT(PeakMemory() - before, size_t{64} << 20);
  ASSERT_EQ(picture.Width(), 16320);
  ASSERT_EQ(picture.Height(), 12240);
  // Not black, not flat: the photo's colours.
  const TPixelBuffer view = Draw(picture, 767, 575);
  int low = 255, high = 0;
  for (uint32_t pixel : view.Pixels)
    low = std::min(low, Channel(pixel, 8)), high = std::max(high, Channel(pixel, 8));
  EXPECT_GT(high - low, 60);
}
