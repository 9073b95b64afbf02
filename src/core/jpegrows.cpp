#include "jpegrows.h"

#include <algorithm>
#include <cstring>

TJpegPlan PlanJpegDecoding(int32_t width, int32_t height, int32_t orientation, int32_t boxWidth,
                           int32_t boxHeight, int32_t minWidth, int32_t minHeight) {
  TJpegPlan plan;
  const TSize factors =
      ReductionFactors(width, height, orientation, boxWidth, boxHeight, minWidth, minHeight);
  const int32_t smaller = std::min(factors.Width, factors.Height);
  while (plan.Denominator < 8 && plan.Denominator * 2 <= smaller) plan.Denominator *= 2;
  const int32_t d = plan.Denominator;
  plan.Scaled = TSize{static_cast<int32_t>((int64_t{width} + d - 1) / d),
                      static_cast<int32_t>((int64_t{height} + d - 1) / d)};
  plan.Factors = ReductionFactors(plan.Scaled.Width, plan.Scaled.Height, orientation, boxWidth,
                                  boxHeight, minWidth, minHeight);
  return plan;
}

TJpegRows::TJpegRows(int32_t width, int32_t height, TJpegColours colours, TSize factors,
                     int32_t orientation)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), colours_(colours) {
  if (colours_ != TJpegColours::Bgr) bgr_.resize(static_cast<size_t>(width_) * 3);
  if (factors.Width <= 1 && factors.Height <= 1 && (orientation <= 1 || orientation > 8))
    copy_ = TRgbPicture(width_, height_);
  else
    reducer_.emplace(width_, height_, factors.Width, factors.Height, orientation);
}

void TJpegRows::AddRows(const uint8_t* rows, size_t stride, int32_t count) {
  count = std::clamp(count, 0, height_ - rowsAdded_);
  if (colours_ == TJpegColours::Bgr && !reducer_) {
    for (int32_t i = 0; i < count; ++i)
      std::memcpy(copy_.Pixel(0, rowsAdded_ + i), rows + i * stride,
                  static_cast<size_t>(width_) * 3);
  } else if (colours_ == TJpegColours::Bgr) {
    reducer_->AddRows(rows, static_cast<int32_t>(stride), count, TPixelLayout::Bgr24);
  } else {
    // Each colour is what its ink lets through of white, and black ink what
    // remains of that: red = (255 - cyan) x (255 - black) / 255.
    const bool inverted = colours_ == TJpegColours::InvertedCmyk;
    for (int32_t i = 0; i < count; ++i) {
      const uint8_t* ink = rows + i * stride;
      uint8_t* out = bgr_.data();
      for (int32_t x = 0; x < width_; ++x, ink += 4, out += 3) {
        const uint32_t k = inverted ? ink[3] : 255u - ink[3];
        for (int c = 0; c < 3; ++c) {
          const uint32_t light = inverted ? ink[2 - c] : 255u - ink[2 - c];
          const uint32_t t = light * k + 128;
          out[c] = static_cast<uint8_t>((t + (t >> 8)) >> 8);
        }
      }
      if (reducer_)
        reducer_->AddRows(bgr_.data(), 0, 1, TPixelLayout::Bgr24);
      else
        std::memcpy(copy_.Pixel(0, rowsAdded_ + i), bgr_.data(), bgr_.size());
    }
  }
  rowsAdded_ += count;
}

TRgbPicture TJpegRows::TakeResult() {
  if (!Complete() || width_ == 0 || height_ == 0) return {};
  return reducer_ ? reducer_->TakeResult() : std::move(copy_);
}
