#include "reduce.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

TRgbPicture::TRgbPicture(int32_t width, int32_t height)
    : Bytes(static_cast<size_t>(std::max(width, 0)) * std::max(height, 0) * 3),
      Width(std::max(width, 0)),
      Height(std::max(height, 0)) {}

// --- orientation ---

namespace {

int32_t ValidOrientation(int32_t orientation) {
  return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

// Whether the upright x and y run against the stored axes they come from.
struct TMirrors {
  bool X;
  bool Y;
};
TMirrors UprightMirrors(int32_t orientation) {
  switch (ValidOrientation(orientation)) {
    case 2:
      return {true, false};
    case 3:
      return {true, true};
    case 4:
      return {false, true};
    case 6:
      return {true, false};
    case 7:
      return {true, true};
    case 8:
      return {false, true};
    default:
      return {false, false};
  }
}

}  // namespace

bool OrientationSwapsAxes(int32_t orientation) {
  return ValidOrientation(orientation) >= 5;
}

TPoint32 UprightPosition(int32_t orientation, int32_t width, int32_t height, int32_t x, int32_t y) {
  const bool swap = OrientationSwapsAxes(orientation);
  const TMirrors mirror = UprightMirrors(orientation);
  // Upright x comes from stored x, or from stored y when the axes swap.
  const int32_t fromX = swap ? y : x, sizeX = swap ? height : width;
  const int32_t fromY = swap ? x : y, sizeY = swap ? width : height;
  return TPoint32{mirror.X ? sizeX - 1 - fromX : fromX, mirror.Y ? sizeY - 1 - fromY : fromY};
}

// --- block reduction ---

namespace {

constexpr int32_t kMaxFactor = 256;  // keeps a block's column sums within 16 bits

}  // namespace

int32_t ReductionFactor(int32_t size, int32_t target) {
  if (size <= 0 || target <= 0) return 1;
  const int32_t factor =
      static_cast<int32_t>(std::min<int64_t>(size / (2 * int64_t{target}), kMaxFactor));
  return factor <= 1 ? 1 : factor - factor % 2;
}

TSize ReductionFactors(int32_t width, int32_t height, int32_t orientation, int32_t boxWidth,
                       int32_t boxHeight, int32_t minWidth, int32_t minHeight) {
  const bool swap = OrientationSwapsAxes(orientation);
  const TSize fitted =
      FitSizeToBox(swap ? height : width, swap ? width : height, boxWidth, boxHeight, true);
  if (fitted.Width <= 0 || fitted.Height <= 0) return TSize{1, 1};
  // A panorama fitted a few pixels high still gets a whole row of pieces.
  const int32_t shownWidth = std::max(fitted.Width, minWidth);
  const int32_t shownHeight = std::max(fitted.Height, minHeight);
  return TSize{ReductionFactor(width, swap ? shownHeight : shownWidth),
               ReductionFactor(height, swap ? shownWidth : shownHeight)};
}

TBoxReducer::TBoxReducer(int32_t sourceWidth, int32_t sourceHeight, int32_t factorX,
                         int32_t factorY, int32_t orientation)
    : TBoxReducer(sourceWidth, sourceHeight, factorX, factorY, TRowSink()) {
  orientation_ = ValidOrientation(orientation);
  if (OrientationSwapsAxes(orientation_))
    result_ = TRgbPicture(reducedHeight_, reducedWidth_);
  else
    result_ = TRgbPicture(reducedWidth_, reducedHeight_);
}

TBoxReducer::TBoxReducer(int32_t sourceWidth, int32_t sourceHeight, int32_t factorX,
                         int32_t factorY, TRowSink sink)
    : sourceWidth_(std::max(sourceWidth, 0)),
      sourceHeight_(std::max(sourceHeight, 0)),
      factorX_(std::clamp(factorX, 1, std::clamp(sourceWidth_, 1, kMaxFactor))),
      factorY_(std::clamp(factorY, 1, std::clamp(sourceHeight_, 1, kMaxFactor))),
      reducedWidth_((sourceWidth_ + factorX_ - 1) / factorX_),
      reducedHeight_((sourceHeight_ + factorY_ - 1) / factorY_),
      lastBlockLeft_(std::max(sourceWidth_ - factorX_, 0)),
      lastBlockTop_(std::max(sourceHeight_ - factorY_, 0)),
      row_(static_cast<size_t>(reducedWidth_) * 3),
      sink_(std::move(sink)) {}

void TBoxReducer::Accumulate(const uint8_t* row, TPixelLayout layout, std::vector<uint16_t>& sums) {
  const int32_t bytesPerPixel = layout == TPixelLayout::Bgr24 ? 3 : 4;
  const size_t count = static_cast<size_t>(sourceWidth_) * bytesPerPixel;
  if (sums.size() != count) sums.assign(count, 0);
  bytesPerPixel_ = bytesPerPixel;
  if (layout == TPixelLayout::Bgra32) {
    // Over black: each colour times alpha / 255, rounded, without a division.
    premultiplied_.resize(count);
    for (size_t i = 0; i < count; i += 4) {
      const uint32_t alpha = row[i + 3];
      for (size_t c = 0; c < 3; ++c) {
        const uint32_t t = row[i + c] * alpha + 128;
        premultiplied_[i + c] = static_cast<uint8_t>((t + (t >> 8)) >> 8);
      }
      premultiplied_[i + 3] = 0;
    }
    row = premultiplied_.data();
  }
  // A plain loop over bytes, which the compiler turns into vector adds.
  uint16_t* sum = sums.data();
  for (size_t i = 0; i < count; ++i) sum[i] = static_cast<uint16_t>(sum[i] + row[i]);
}

void TBoxReducer::AddRows(const uint8_t* rows, int32_t stride, int32_t count, TPixelLayout layout) {
  if (reducedWidth_ == 0) return;
  // Rows of whole blocks go to sums_, the last factorY_ rows to lastSums_;
  // a row may belong to both when the blocks overlap.
  const int32_t wholeBlockRows = (reducedHeight_ - 1) * factorY_;
  for (int32_t i = 0; i < count && sourceRow_ < sourceHeight_; ++i, ++sourceRow_) {
    const uint8_t* row = rows + static_cast<intptr_t>(i) * stride;
    if (sourceRow_ < wholeBlockRows) {
      Accumulate(row, layout, sums_);
      if ((sourceRow_ + 1) % factorY_ == 0) EmitRow(sums_, sourceRow_ / factorY_);
    }
    if (sourceRow_ >= lastBlockTop_) {
      Accumulate(row, layout, lastSums_);
      if (sourceRow_ + 1 == sourceHeight_) EmitRow(lastSums_, reducedHeight_ - 1);
    }
  }
}

void TBoxReducer::EmitRow(std::vector<uint16_t>& sums, int32_t reducedRow) {
  const uint32_t count = static_cast<uint32_t>(std::min(factorX_, sourceWidth_)) *
                         static_cast<uint32_t>(std::min(factorY_, sourceHeight_));
  // (sum + count / 2) / count by a multiplication with a 40-bit reciprocal:
  // with the sums below 2^24 its excess adds less than 2^-16, never enough to
  // reach the next whole number.
  const uint64_t reciprocal = ((uint64_t{1} << 40) + count - 1) / count;
  auto average = [&](uint32_t sum) {
    return static_cast<uint8_t>(uint64_t{sum + count / 2} * reciprocal >> 40);
  };
  // Whole blocks, then the last one, which may overlap its neighbour; the
  // usual layouts and factors get loops of their own.
  auto blocks = [&](auto bytes, auto factor) {
    auto block = [&](const uint16_t* sum, uint8_t* pixel) {
      uint32_t b = 0, g = 0, r = 0;
      for (int32_t x = 0; x < factor; ++x, sum += bytes) b += sum[0], g += sum[1], r += sum[2];
      pixel[0] = average(b), pixel[1] = average(g), pixel[2] = average(r);
    };
    const uint16_t* sum = sums.data();
    uint8_t* pixel = row_.data();
    for (int32_t i = 0; i + 1 < reducedWidth_; ++i, sum += factor * bytes, pixel += 3)
      block(sum, pixel);
    block(sums.data() + static_cast<size_t>(lastBlockLeft_) * bytes, pixel);
  };
  using Three = std::integral_constant<int32_t, 3>;
  using Four = std::integral_constant<int32_t, 4>;
  using One = std::integral_constant<int32_t, 1>;
  using Two = std::integral_constant<int32_t, 2>;
  if (factorX_ == 1)
    bytesPerPixel_ == 3 ? blocks(Three(), One()) : blocks(Four(), One());
  else if (factorX_ == 2)
    bytesPerPixel_ == 3 ? blocks(Three(), Two()) : blocks(Four(), Two());
  else
    bytesPerPixel_ == 3 ? blocks(Three(), factorX_) : blocks(Four(), factorX_);
  std::fill(sums.begin(), sums.end(), uint16_t{0});
  if (sink_)
    sink_(reducedRow, row_.data());
  else
    PlaceUpright(reducedRow);
}

void TBoxReducer::PlaceUpright(int32_t reducedRow) {
  // The reduced row lands on a line of the upright picture: where it starts
  // and how far apart its pixels are.
  const TPoint32 start =
      UprightPosition(orientation_, reducedWidth_, reducedHeight_, 0, reducedRow);
  const TPoint32 next = reducedWidth_ > 1 ? UprightPosition(orientation_, reducedWidth_,
                                                            reducedHeight_, 1, reducedRow)
                                          : start;
  uint8_t* to = result_.Pixel(start.X, start.Y);
  const intptr_t step =
      (static_cast<intptr_t>(next.Y - start.Y) * result_.Width + (next.X - start.X)) * 3;
  if (step == 3) {
    std::memcpy(to, row_.data(), row_.size());
    return;
  }
  for (size_t i = 0; i < row_.size(); i += 3, to += step)
    to[0] = row_[i], to[1] = row_[i + 1], to[2] = row_[i + 2];
}
