// Reducing a picture by averaging whole blocks of pixels while its decoded
// rows stream past (every source pixel is added once), and turning a photo
// upright as its camera recorded. The first stage of drawing a view; see
// resample.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "geometry.h"

// How the decoded rows store their pixels (bytes in memory order).
enum class TPixelLayout {
  Bgr24,                // 3 bytes a pixel
  Bgrx32,               // 4 bytes, the fourth ignored
  Bgra32,               // 4 bytes with straight alpha
  PremultipliedBgra32,  // 4 bytes, colours already multiplied by alpha
};

// A picture kept between decoding and drawing: 3 bytes a pixel (blue, green,
// red), rows top to bottom without padding.
struct TRgbPicture {
  std::vector<uint8_t> Bytes;
  int32_t Width = 0;
  int32_t Height = 0;

  TRgbPicture() = default;
  TRgbPicture(int32_t width, int32_t height);  // black
  bool Empty() const { return Bytes.empty(); }
  uint8_t* Pixel(int32_t x, int32_t y) {
    return Bytes.data() + (static_cast<size_t>(y) * Width + x) * 3;
  }
  const uint8_t* Pixel(int32_t x, int32_t y) const {
    return Bytes.data() + (static_cast<size_t>(y) * Width + x) * 3;
  }
};

struct TPoint32 {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TPoint32& other) const { return X == other.X && Y == other.Y; }
};

// The orientation a photo's camera recorded (1 to 8, as in its Exif data):
// where the stored pixel (x, y) of a width by height picture appears when the
// picture is shown upright. Values outside 1 to 8 count as 1.
bool OrientationSwapsAxes(int32_t orientation);  // 5 to 8 turn by a quarter
TPoint32 UprightPosition(int32_t orientation, int32_t width, int32_t height, int32_t x, int32_t y);

// The block factor for a size that will be shown at least at the given
// size: the largest even factor (or 1) that leaves at least twice that size,
// at most 256. An even block averages any two-pixel rhythm (stripes, checks,
// dithering) away completely. 1 when the target size is not positive.
int32_t ReductionFactor(int32_t size, int32_t target);

// The block factors for a stored picture (width by height, in the stored
// direction) that will be shown upright, fitted into a box of boxWidth by
// boxHeight: in each direction the factor for the fitted size, or for the
// least size a view shows it at (minWidth by minHeight, upright) where that
// is larger. 1 by 1 when the box is empty.
TSize ReductionFactors(int32_t width, int32_t height, int32_t orientation, int32_t boxWidth,
                       int32_t boxHeight, int32_t minWidth = 0, int32_t minHeight = 0);

class TBoxReducer {
 public:
  // Receives each reduced row, 3 bytes a pixel, top to bottom.
  using TRowSink = std::function<void(int32_t row, const uint8_t* pixels)>;

  // A source of sourceWidth by sourceHeight pixels, reduced by whole blocks
  // of factorX by factorY (at most 256 each). When the size is not a multiple
  // of the factor, the last block is the last factor pixels: it overlaps its
  // neighbour rather than averaging a thin edge alone (which would make a
  // bright or dark seam of a fine pattern). The result is kept, turned
  // upright, or handed to the sink row by row.
  TBoxReducer(int32_t sourceWidth, int32_t sourceHeight, int32_t factorX, int32_t factorY,
              int32_t orientation);
  TBoxReducer(int32_t sourceWidth, int32_t sourceHeight, int32_t factorX, int32_t factorY,
              TRowSink sink);

  int32_t ReducedWidth() const { return reducedWidth_; }  // before turning upright
  int32_t ReducedHeight() const { return reducedHeight_; }
  // The next rows of the source, top to bottom; stride in bytes.
  void AddRows(const uint8_t* rows, int32_t stride, int32_t count, TPixelLayout layout);
  // The reduced, upright picture; complete once every source row was added.
  const TRgbPicture& Result() const { return result_; }
  TRgbPicture TakeResult() { return std::move(result_); }

 private:
  void Accumulate(const uint8_t* row, TPixelLayout layout, std::vector<uint16_t>& sums);
  void EmitRow(std::vector<uint16_t>& sums, int32_t reducedRow);
  void PlaceUpright(int32_t reducedRow);

  int32_t sourceWidth_, sourceHeight_, factorX_, factorY_;
  int32_t reducedWidth_, reducedHeight_;
  int32_t lastBlockLeft_, lastBlockTop_;  // where the last blocks begin
  int32_t sourceRow_ = 0;                 // next source row to come
  // Column sums of the rows of the current block, blue, green, red (and an
  // unused fourth for 4-byte layouts) per source pixel; the last block of
  // rows has its own.
  std::vector<uint16_t> sums_;
  std::vector<uint16_t> lastSums_;
  std::vector<uint8_t> premultiplied_;  // one row, for straight alpha
  int32_t bytesPerPixel_ = 0;           // of the rows summed so far
  std::vector<uint8_t> row_;            // the reduced row being made
  TRowSink sink_;
  int32_t orientation_ = 1;
  TRgbPicture result_;
};
