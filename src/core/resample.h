// Scaling pictures for the views, in two stages so that a big photo is read
// once and both views are drawn from a small copy:
//
//   1. TBoxReducer averages whole blocks of k by k' source pixels while the
//      decoded rows stream past (cheap: every source pixel is added once), and
//      writes the result upright. The factors leave at least twice the largest
//      view's size, so no detail the views can show is lost.
//   2. ResampleInto stretches that copy into a view with a separable cubic
//      filter, widened by the scale when shrinking so that fine patterns
//      average out instead of aliasing.
//
// Pixels are blue, green, red and an unused byte; transparent pictures are
// composed over black (premultiplied) on the way in.
#pragma once

#include <cstdint>
#include <vector>

#include "pixels.h"

// How the decoded rows store their pixels (bytes in memory order).
enum class TPixelLayout {
  Bgr24,                // 3 bytes a pixel
  Bgrx32,               // 4 bytes, the fourth ignored
  Bgra32,               // 4 bytes with straight alpha
  PremultipliedBgra32,  // 4 bytes, colours already multiplied by alpha
};

// An owned picture of 32-bit pixels, rows top to bottom.
struct TPixelBuffer {
  std::vector<uint32_t> Pixels;
  int32_t Width = 0;
  int32_t Height = 0;

  TPixelBuffer() = default;
  TPixelBuffer(int32_t width, int32_t height);  // black
  TPixelView View() { return TPixelView{Pixels.data(), Width, Height, Width}; }
  TPixelView View() const {
    return TPixelView{const_cast<uint32_t*>(Pixels.data()), Width, Height, Width};
  }
  bool Empty() const { return Pixels.empty(); }
};

// The orientation a photo's camera recorded (1 to 8, as in its Exif data):
// where the stored pixel (x, y) of a width by height picture appears when
// the picture is shown upright. Values outside 1 to 8 count as 1.
struct TPoint32 {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TPoint32& other) const { return X == other.X && Y == other.Y; }
};
bool OrientationSwapsAxes(int32_t orientation);  // 5 to 8 turn by a quarter
TPoint32 UprightPosition(int32_t orientation, int32_t width, int32_t height, int32_t x, int32_t y);

// The box factor for one direction: as large as possible while the reduced
// size stays at least twice the largest target (1 when the target is unknown).
int32_t ReductionFactor(int32_t sourceSize, int32_t largestTarget);

class TBoxReducer {
 public:
  // A source of sourceWidth by sourceHeight pixels, reduced by whole blocks
  // of factorX by factorY, then turned upright. When the size is not a
  // multiple of the factor, the last block is the last factor pixels: it
  // overlaps its neighbour rather than averaging a thin edge alone (which
  // would make a bright or dark seam of a fine pattern).
  TBoxReducer(int32_t sourceWidth, int32_t sourceHeight, int32_t factorX, int32_t factorY,
              int32_t orientation);

  // The next rows of the source, top to bottom; stride in bytes.
  void AddRows(const uint8_t* rows, int32_t stride, int32_t count, TPixelLayout layout);
  // The reduced, upright picture; complete once every source row was added.
  const TPixelBuffer& Result() const { return result_; }
  TPixelBuffer TakeResult() { return std::move(result_); }

 private:
  template <TPixelLayout Layout>
  void Accumulate(const uint8_t* row, uint32_t* sums) const;
  void AddRow(const uint8_t* row, TPixelLayout layout, uint32_t* sums) const;
  void EmitRow(std::vector<uint32_t>& sums, int32_t reducedRow);

  int32_t sourceWidth_, sourceHeight_, factorX_, factorY_, orientation_;
  int32_t reducedWidth_, reducedHeight_;
  int32_t lastBlockLeft_, lastBlockTop_;  // where the last blocks begin
  int32_t sourceRow_ = 0;                 // next source row to come
  std::vector<uint32_t> sums_;            // blue, green, red per reduced column
  std::vector<uint32_t> lastSums_;        // the same for the last block of rows
  TPixelBuffer result_;
};

// Stretches the whole source over the whole target, independently in both
// directions: a cubic filter (Catmull-Rom) when enlarging, the same filter
// widened by the scale when shrinking. Beyond its edges the source is
// mirrored about its outermost pixels, which keeps a fine pattern's rhythm.
void ResampleInto(const TPixelView& source, const TPixelView& target);
