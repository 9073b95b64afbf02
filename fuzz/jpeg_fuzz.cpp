// libFuzzer target: any bytes read as a picture file's header, then the JPEG
// path's own handling of what it claims: the decoding's scale for an area
// taken from the bytes, and rows (taken from the bytes too) of each colour
// kind through the reduction and the turn upright. The decoder library
// itself is not fuzzed here.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/jpegrows.h"
#include "core/pictureheader.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "Broken: %s\n", what);
  std::abort();
}

uint32_t Take16(const uint8_t* data, size_t size, size_t at) {
  return at + 1 < size ? uint32_t{data[at]} << 8 | data[at + 1] : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TReadAt readAt = [&](uint64_t offset, uint8_t* out, size_t count) -> size_t {
    if (offset >= size) return 0;
    count = static_cast<size_t>(std::min<uint64_t>(count, size - offset));
    std::memcpy(out, data + offset, count);
    return count;
  };
  const TPictureHeader header = ReadPictureHeader(readAt, size);
  Check(header.Width >= 0 && header.Height >= 0, "negative size");
  Check(header.Orientation >= 0 && header.Orientation <= 8, "orientation out of range");

  // The area and least size come from the file's last bytes; a picture the
  // header leaves at 0 gets a size from them too.
  const size_t tail = size > 12 ? size - 12 : 0;
  const int32_t boxWidth = int32_t(Take16(data, size, tail)) % 2000;
  const int32_t boxHeight = int32_t(Take16(data, size, tail + 2)) % 2000;
  const int32_t minWidth = int32_t(Take16(data, size, tail + 4)) % 64;
  const int32_t minHeight = int32_t(Take16(data, size, tail + 6)) % 64;
  const int32_t width = header.Width > 0 ? header.Width : int32_t(Take16(data, size, tail + 8));
  const int32_t height = header.Height > 0 ? header.Height : int32_t(Take16(data, size, tail + 10));
  const TJpegPlan plan =
      PlanJpegDecoding(width, height, header.Orientation, boxWidth, boxHeight, minWidth, minHeight);
  const int32_t d = plan.Denominator;
  Check(d == 1 || d == 2 || d == 4 || d == 8, "scale other than 1/1, 1/2, 1/4, 1/8");
  const TSize full =
      ReductionFactors(width, height, header.Orientation, boxWidth, boxHeight, minWidth, minHeight);
  Check(full.Width >= d && full.Height >= d, "decoded smaller than twice the view");
  Check(d == 8 || std::min(full.Width, full.Height) < 2 * d, "a smaller scale was allowed");
  Check(plan.Scaled.Width * int64_t{d} >= width && plan.Scaled.Height * int64_t{d} >= height,
        "scaled size rounded down");

  // Rows for a decoding of at most 4096 pixels, so that each run is quick.
  if (width <= 0 || height <= 0) return 0;
  const int32_t w = std::min(plan.Scaled.Width, 1 + int32_t(size % 509));
  const int32_t h = std::min(plan.Scaled.Height, 4096 / w);
  const TJpegColours colours = static_cast<TJpegColours>(size % 3);
  TJpegRows rows(w, h, colours, plan.Factors, header.Orientation);
  const size_t stride = static_cast<size_t>(w) * rows.BytesPerPixel();
  std::vector<uint8_t> band(stride * 3);
  for (size_t i = 0; i < band.size(); ++i) band[i] = size ? data[i % size] : 0;
  for (int32_t y = 0; y < h + 3; y += 3) {
    Check(!rows.Complete() || y >= h, "complete too early");
    rows.AddRows(band.data(), stride, 3);
  }
  Check(rows.Complete(), "incomplete after every row");
  const TRgbPicture result = rows.TakeResult();
  TBoxReducer expected(w, h, plan.Factors.Width, plan.Factors.Height, header.Orientation);
  const bool swap = OrientationSwapsAxes(header.Orientation);
  Check(result.Width == (swap ? expected.ReducedHeight() : expected.ReducedWidth()) &&
            result.Height == (swap ? expected.ReducedWidth() : expected.ReducedHeight()),
        "result not the reduced, upright size");
  return 0;
}
