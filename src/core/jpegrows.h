// The program's side of a JPEG decoding: how far the decoder itself shrinks
// the picture (it can decode at 1/2, 1/4 or 1/8 of the size directly), and
// the decoded rows' way into the block reduction (see reduce.h). The decoder
// lives in the platform layer; this part is portable, so that it is tested
// and fuzzed natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "geometry.h"
#include "reduce.h"

// How a JPEG of width by height stored pixels is decoded for a picture shown
// upright (orientation) and fitted into a box, as ReductionFactors has it:
// the decoder's scale 1 / Denominator is the smallest of 1/8, 1/4, 1/2 and 1
// that still leaves the blocks' factors at least that large in both
// directions, so its output is at least twice the size shown.
struct TJpegPlan {
  int32_t Denominator = 1;
  TSize Scaled;   // the decoder's output, as it rounds: up
  TSize Factors;  // the blocks averaged after that
};
TJpegPlan PlanJpegDecoding(int32_t width, int32_t height, int32_t orientation, int32_t boxWidth,
                           int32_t boxHeight, int32_t minWidth = 0, int32_t minHeight = 0);

// How the decoder hands out its pixels.
enum class TJpegColours {
  Bgr,           // 3 bytes, blue first (colour and grey pictures alike)
  Cmyk,          // 4 bytes, 0 is no ink
  InvertedCmyk,  // 4 bytes, 255 is no ink (as Adobe's programs write them)
};

// The decoded rows of one picture, reduced and turned upright as they come.
class TJpegRows {
 public:
  // width by height decoded pixels (the decoder's output), averaged in blocks
  // of factors, turned upright as orientation says.
  TJpegRows(int32_t width, int32_t height, TJpegColours colours, TSize factors,
            int32_t orientation);

  int32_t BytesPerPixel() const { return colours_ == TJpegColours::Bgr ? 3 : 4; }
  // The next count rows, stride bytes apart; rows past the last are ignored.
  void AddRows(const uint8_t* rows, size_t stride, int32_t count);
  bool Complete() const { return rowsAdded_ >= height_; }
  // The upright picture; empty unless every row came.
  TRgbPicture TakeResult();

 private:
  int32_t width_, height_;
  TJpegColours colours_;
  std::optional<TBoxReducer> reducer_;  // none when there is nothing to reduce or turn
  TRgbPicture copy_;                    // the rows as they come, without one
  std::vector<uint8_t> bgr_;            // one row of ink converted to colour
  int32_t rowsAdded_ = 0;
};
