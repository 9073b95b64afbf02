#include "jpegpicture.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "core/jpegrows.h"
#include "core/pictureheader.h"
#include "platform/jpegsafe.h"

namespace {

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
struct JpegCloser {
  void operator()(QuiltraJpeg* jpeg) const { QuiltraJpegClose(jpeg); }
};

// Rows are decoded in bands of about this many bytes.
constexpr size_t kBandBytes = 256 * 1024;

}  // namespace

TJpegPicture DecodeJpeg(const std::wstring& path, int orientation, int maxWidth, int maxHeight,
                        int minWidth, int minHeight) {
  TJpegPicture result;
  const std::unique_ptr<FILE, FileCloser> file(_wfopen(path.c_str(), L"rb"));
  if (!file) return result;
  std::setvbuf(file.get(), nullptr, _IOFBF, 1 << 16);
  const std::unique_ptr<QuiltraJpeg, JpegCloser> jpeg(QuiltraJpegOpen(file.get()));
  QuiltraJpegInfo info{};
  if (!jpeg || !QuiltraJpegReadHeader(jpeg.get(), &info) || info.Width <= 0 || info.Height <= 0)
    return result;
  // A progressive picture is held whole while its scans come: no larger
  // than GDI+ would decode it, and in at most what GDI+ would use (1.5
  // pictures of 4 bytes a pixel). A sequential one needs some rows only.
  long limit = 48L << 20;
  if (info.MultiScan) {
    if (PictureTooLarge(info.Width, info.Height)) return result;
    limit = static_cast<long>(6 * int64_t{info.Width} * info.Height);
  }
  const TJpegPlan plan = PlanJpegDecoding(info.Width, info.Height, orientation, maxWidth, maxHeight,
                                          minWidth, minHeight);
  int width = 0, height = 0;
  if (!QuiltraJpegStart(jpeg.get(), plan.Denominator, limit, &width, &height)) return result;

  result.Outcome = TJpegOutcome::Damaged;
  TJpegRows rows(width, height,
                 !info.Cmyk         ? TJpegColours::Bgr
                 : info.AdobeMarker ? TJpegColours::InvertedCmyk
                                    : TJpegColours::Cmyk,
                 plan.Factors, orientation);
  const size_t stride = static_cast<size_t>(width) * rows.BytesPerPixel();
  const int bandRows = static_cast<int>(std::clamp<size_t>(kBandBytes / stride, 1, 64));
  std::vector<uint8_t> band(stride * bandRows);
  std::vector<unsigned char*> pointers(bandRows);
  for (int i = 0; i < bandRows; ++i) pointers[i] = band.data() + stride * i;
  while (!rows.Complete()) {
    int got = 0;
    if (!QuiltraJpegReadRows(jpeg.get(), pointers.data(), bandRows, &got) || got <= 0)
      return result;
    rows.AddRows(band.data(), stride, got);
  }
  result.Reduced = rows.TakeResult();
  if (result.Reduced.Empty()) return result;
  result.Outcome = TJpegOutcome::Decoded;
  result.Stored = TSize{info.Width, info.Height};
  return result;
}
