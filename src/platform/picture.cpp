#include "picture.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "core/pictureheader.h"
#include "core/statusframe.h"
#include "platform/gdiplusapi.h"
#include "platform/handles.h"
#include "platform/jpegpicture.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

std::string GetPictureExtensionsAsFilter() {
  std::string result;
  STATUS_FRAME("GetPictureExtensionsAsFilter");
  frame.Run([&] {
    UINT count = 0, size = 0;
    if (GdipGetImageDecodersSize(&count, &size) != Ok || count == 0 || size == 0) return;
    // ImageCodecInfo records followed by the texts they point to.
    std::vector<uint64_t> buffer((size + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    auto* decoders = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    if (GdipGetImageDecoders(count, size, decoders) != Ok) return;
    for (UINT i = 0; i < count; ++i) {
      const WCHAR* patterns = decoders[i].FilenameExtension;
      if (patterns && *patterns) {
        const int length =
            WideCharToMultiByte(CP_ACP, 0, patterns, -1, nullptr, 0, nullptr, nullptr);
        if (length > 1) {
          std::string text(static_cast<size_t>(length), '\0');
          WideCharToMultiByte(CP_ACP, 0, patterns, -1, text.data(), length, nullptr, nullptr);
          text.resize(static_cast<size_t>(length) - 1);
          result += text;
        }
      }
      if (i + 1 < count) result += ';';
    }
    if (!result.empty()) CharLowerBuffA(result.data(), static_cast<DWORD>(result.size()));
  });
  return result;
}

namespace {

struct ImageDeleter {
  void operator()(GpImage* image) const {
    if (image) GdipDisposeImage(image);
  }
};
using UniqueImage = std::unique_ptr<GpImage, ImageDeleter>;

struct GraphicsDeleter {
  void operator()(GpGraphics* graphics) const {
    if (graphics) GdipDeleteGraphics(graphics);
  }
};
using UniqueGraphics = std::unique_ptr<GpGraphics, GraphicsDeleter>;

// GDI+ takes a path of at most 259 characters; longer ones are not supported.
std::wstring WidePath(const std::string& fileName) {
  if (fileName.empty() || fileName.size() >= MAX_PATH) return {};
  WCHAR wide[MAX_PATH];
  const int length =
      MultiByteToWideChar(CP_ACP, 0, fileName.c_str(), -1, wide, static_cast<int>(MAX_PATH));
  if (length <= 1) return {};
  return std::wstring(wide, static_cast<size_t>(length) - 1);
}

TPictureHeader ReadHeader(const std::wstring& path) {
  TKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size;
  if (!file.Valid() || !GetFileSizeEx(file.Get(), &size)) return {};
  const TReadAt readAt = [&](uint64_t offset, uint8_t* data, size_t size) -> size_t {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    DWORD got = 0;
    if (!SetFilePointerEx(file.Get(), position, nullptr, FILE_BEGIN) ||
        !ReadFile(file.Get(), data, static_cast<DWORD>(size), &got, nullptr))
      return 0;
    return got;
  };
  return ReadPictureHeader(readAt, static_cast<uint64_t>(size.QuadPart));
}

// How to read the decoded rows: in their own format where we understand it
// (GDI+ then hands out its own pixels), otherwise converted by GDI+ to 32
// bits with straight alpha, one band at a time.
struct TLockFormat {
  PixelFormat Format;
  TPixelLayout Layout;
};
TLockFormat LockFormatFor(GpImage* image) {
  PixelFormat native = PixelFormat32bppARGB;
  GdipGetImagePixelFormat(image, &native);
  switch (native) {
    case PixelFormat24bppRGB:
      return {native, TPixelLayout::Bgr24};
    case PixelFormat32bppRGB:
      return {native, TPixelLayout::Bgrx32};
    case PixelFormat32bppPARGB:
      return {native, TPixelLayout::PremultipliedBgra32};
    case PixelFormat32bppARGB:
      return {native, TPixelLayout::Bgra32};
    default:
      return {PixelFormat32bppARGB, TPixelLayout::Bgra32};
  }
}

// Hands out the rows of a decoded bitmap, locking a band of about a megabyte
// at a time instead of the whole picture.
class TBandReader {
 public:
  TBandReader(GpImage* image, int width, int height, PixelFormat format)
      : bitmap_(reinterpret_cast<GpBitmap*>(image)),
        width_(width),
        height_(height),
        format_(format),
        bandRows_(std::max(1, (1 << 20) / (width * 4))) {}
  ~TBandReader() { Unlock(); }
  TBandReader(const TBandReader&) = delete;
  TBandReader& operator=(const TBandReader&) = delete;

  // Null when GDI+ cannot hand out the row.
  const uint8_t* Row(int y) {
    if (!locked_ || y < top_ || y >= top_ + rows_) {
      Unlock();
      top_ = y;
      rows_ = std::min(bandRows_, height_ - y);
      const GpRect rect(0, top_, width_, rows_);
      locked_ = GdipBitmapLockBits(bitmap_, &rect, ImageLockModeRead, format_, &data_) == Ok;
      if (!locked_) return nullptr;
    }
    return static_cast<const uint8_t*>(data_.Scan0) +
           static_cast<intptr_t>(y - top_) * data_.Stride;
  }

 private:
  void Unlock() {
    if (locked_) GdipBitmapUnlockBits(bitmap_, &data_);
    locked_ = false;
  }
  GpBitmap* bitmap_;
  int width_, height_;
  PixelFormat format_;
  int bandRows_;
  BitmapData data_{};
  int top_ = 0, rows_ = 0;
  bool locked_ = false;
};

// Metafiles have no pixels of their own: they are played onto a black
// bitmap twice as large as the picture fitted into the area (or as its least
// view), at most.
TRgbPicture RenderMetafile(GpImage* metafile, int width, int height, int maxWidth, int maxHeight,
                           int minWidth, int minHeight) {
  const TSize fitted = FitSizeToBox(width, height, maxWidth, maxHeight, true);
  const int w = maxWidth > 0 ? std::clamp(2 * std::max(fitted.Width, minWidth), 1, width) : width;
  const int h =
      maxHeight > 0 ? std::clamp(2 * std::max(fitted.Height, minHeight), 1, height) : height;
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  GpBitmap* bitmap = nullptr;
  if (GdipCreateBitmapFromScan0(w, h, w * 4, PixelFormat32bppPARGB,
                                reinterpret_cast<BYTE*>(pixels.data()), &bitmap) != Ok)
    return {};
  const UniqueImage owner(bitmap);
  {
    // The drawing is complete in the pixels once its surface is deleted.
    GpGraphics* graphics = nullptr;
    if (GdipGetImageGraphicsContext(bitmap, &graphics) != Ok) return {};
    const UniqueGraphics graphicsOwner(graphics);
    GdipSetInterpolationMode(graphics, InterpolationModeHighQualityBicubic);
    GdipSetSmoothingMode(graphics, SmoothingModeAntiAlias);
    if (GdipDrawImageRectI(graphics, metafile, 0, 0, w, h) != Ok) return {};
  }
  TBoxReducer copy(w, h, 1, 1, 1);
  copy.AddRows(reinterpret_cast<const uint8_t*>(pixels.data()), w * 4, h,
               TPixelLayout::PremultipliedBgra32);
  return copy.TakeResult();
}

}  // namespace

struct TPictureSource::TDecoded {
  UniqueImage Image;
  TLockFormat Lock;
};

TPictureSource::TPictureSource(const std::string& fileName, int maxWidth, int maxHeight,
                               int minWidth, int minHeight) {
  try {
    const std::wstring path = WidePath(fileName);
    if (path.empty()) return;
    const TPictureHeader header = ReadHeader(path);
    if (!header.Complete) return;
    if (header.Format == TPictureFormat::Jpeg) {
      TJpegPicture jpeg =
          DecodeJpeg(path, header.Orientation, maxWidth, maxHeight, minWidth, minHeight);
      if (jpeg.Outcome == TJpegOutcome::Damaged) return;
      if (jpeg.Outcome == TJpegOutcome::Decoded) {
        reduced_ = std::move(jpeg.Reduced);
        const bool swap = OrientationSwapsAxes(header.Orientation);
        width_ = swap ? jpeg.Stored.Height : jpeg.Stored.Width;
        height_ = swap ? jpeg.Stored.Width : jpeg.Stored.Height;
        return;
      }
      // Refused by the library: GDI+ may still take it.
    }
    if (PictureTooLarge(header.Width, header.Height)) return;

    GpImage* loaded = nullptr;
    if (GdipLoadImageFromFile(path.c_str(), &loaded) != Ok) return;
    UniqueImage image(loaded);
    UINT width = 0, height = 0;
    ImageType type = ImageTypeUnknown;
    if (GdipGetImageWidth(image.get(), &width) != Ok ||
        GdipGetImageHeight(image.get(), &height) != Ok || width == 0 || height == 0 ||
        PictureTooLarge(width, height) || GdipGetImageType(image.get(), &type) != Ok)
      return;

    if (type == ImageTypeMetafile) {
      reduced_ = RenderMetafile(image.get(), int(width), int(height), maxWidth, maxHeight, minWidth,
                                minHeight);
      if (reduced_.Empty()) return;
    } else if (type == ImageTypeBitmap) {
      const int32_t orientation = header.Orientation;
      const TSize factors = ReductionFactors(int(width), int(height), orientation, maxWidth,
                                             maxHeight, minWidth, minHeight);
      const TLockFormat lock = LockFormatFor(image.get());
      TBandReader reader(image.get(), int(width), int(height), lock.Format);
      if (factors.Width == 1 && factors.Height == 1 && orientation <= 1) {
        // Nothing to reduce or turn: draw from the decoded rows themselves.
        // Asking for the last row makes GDI+ decode now, and fail now.
        if (!reader.Row(int(height) - 1)) return;
        decoded_ = std::make_unique<TDecoded>(TDecoded{std::move(image), lock});
      } else {
        TBoxReducer reducer(int(width), int(height), factors.Width, factors.Height, orientation);
        for (int y = 0; y < int(height); ++y) {
          const uint8_t* row = reader.Row(y);
          if (!row) return;
          reducer.AddRows(row, 0, 1, lock.Layout);
        }
        reduced_ = reducer.TakeResult();
        if (OrientationSwapsAxes(orientation)) std::swap(width, height);
      }
    } else {
      return;
    }
    width_ = int(width);
    height_ = int(height);
  } catch (const std::bad_alloc&) {
    // Out of memory reads as a picture that does not decode.
    reduced_ = TRgbPicture();
    decoded_.reset();
    width_ = height_ = 0;
  }
}

TPictureSource::~TPictureSource() = default;

void TPictureSource::DrawInto(const TPixelView& target) const {
  if (Empty()) return;
  if (!decoded_) return ResampleInto(reduced_, target);
  GpImage* image = decoded_->Image.get();
  TBandReader reader(image, width_, height_, decoded_->Lock.Format);
  ResampleInto(TRowSource{width_, height_, decoded_->Lock.Layout,
                          [&reader](int32_t y) { return reader.Row(y); }},
               target);
}
