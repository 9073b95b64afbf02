// What the picture tests share: GDI+ for the suite, the pictures
// tests/inprocess/make-pictures.sh made, owned pixel buffers and comparisons.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/resample.h"
#include "platform/gdiplus.h"
#include "platform/picture.h"
#include "tests/support/pixelbuffer.h"

namespace picturetesting {

using ::TPixelBuffer;

// GDI+ for the whole suite, as the main window runs it for the program.
class PictureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { token_ = StartGdiplus(TGdiplusStartupInput{}); }
  static void TearDownTestSuite() { StopGdiplus(token_); }
  void SetUp() override { ASSERT_NE(token_, 0u); }
  static inline ULONG_PTR token_ = 0;
};

// The pictures tests/inprocess/make-pictures.sh made in the build tree.
inline std::string TestPicture(const std::string& name) {
  const char* build = std::getenv("QUILTRA_BUILD_DIR");
  std::string path = std::string("Z:") + (build ? build : "") + "/tests/inprocess/pictures/" + name;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

inline std::string TempPath(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

inline TPixelBuffer Draw(const TPictureSource& picture, int width, int height) {
  TPixelBuffer target(width, height);
  picture.DrawInto(target.View());
  return target;
}

// The picture at its own size.
inline TPixelBuffer Decode(const std::string& path) {
  const TPictureSource picture(path, 0, 0);
  return Draw(picture, picture.Width(), picture.Height());
}

inline int Channel(uint32_t pixel, int shift) {
  return static_cast<int>(pixel >> shift & 0xFF);
}

inline bool Near(uint32_t pixel, uint32_t expected, int tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(Channel(pixel, shift) - Channel(expected, shift)) > tolerance) return false;
  return true;
}

inline double Psnr(const TPixelBuffer& a, const TPixelBuffer& b) {
  double sum = 0;
  for (size_t i = 0; i < a.Pixels.size(); ++i)
    for (int shift : {0, 8, 16}) {
      const double d = Channel(a.Pixels[i], shift) - Channel(b.Pixels[i], shift);
      sum += d * d;
    }
  const double mse = sum / (3.0 * a.Pixels.size());
  return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

// The larger of the peak commit and the peak working set (Wine keeps the
// commit figure near zero).
inline size_t PeakMemory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return std::max(counters.PeakPagefileUsage, counters.PeakWorkingSetSize);
}

}  // namespace picturetesting
