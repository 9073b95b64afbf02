#include "resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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

int32_t ReductionFactor(int32_t size, int32_t fitted) {
  if (size <= 0 || fitted <= 0) return 1;
  const int32_t factor = std::min(size / (2 * fitted), kMaxFactor);
  return factor <= 1 ? 1 : factor - factor % 2;
}

}  // namespace

TSize ReductionFactors(int32_t width, int32_t height, int32_t orientation, int32_t boxWidth,
                       int32_t boxHeight) {
  const bool swap = OrientationSwapsAxes(orientation);
  const TSize fitted =
      FitSizeToBox(swap ? height : width, swap ? width : height, boxWidth, boxHeight, true);
  return TSize{ReductionFactor(width, swap ? fitted.Height : fitted.Width),
               ReductionFactor(height, swap ? fitted.Width : fitted.Height)};
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
  // (sum + count / 2) / count by a multiplication: the quotient stays below
  // 256, so its rounding error is far below the bias, and the bias far below
  // the 1 / count that separates a quotient from the next whole number.
  const double reciprocal = 1.0 / count;
  auto average = [&](uint32_t sum) {
    return static_cast<uint8_t>((sum + count / 2) * reciprocal + 1e-9);
  };
  const int32_t bytes = bytesPerPixel_;
  uint8_t* pixel = row_.data();
  for (int32_t block = 0; block < reducedWidth_; ++block, pixel += 3) {
    const int32_t left = block + 1 < reducedWidth_ ? block * factorX_ : lastBlockLeft_;
    const uint16_t* sum = sums.data() + static_cast<size_t>(left) * bytes;
    uint32_t b = 0, g = 0, r = 0;
    for (int32_t x = 0; x < factorX_; ++x, sum += bytes) b += sum[0], g += sum[1], r += sum[2];
    pixel[0] = average(b), pixel[1] = average(g), pixel[2] = average(r);
  }
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

// --- cubic resampling ---

namespace {

// Blue, green, red and a spare lane, computed together. Kept in memory as
// plain floats and moved with memcpy (unaligned loads): 32-bit Windows heaps
// align to 8 bytes only, whatever operator new assumes for vectors.
typedef float TFloat4 __attribute__((vector_size(16)));
inline TFloat4 Load(const float* from) {
  TFloat4 value;
  std::memcpy(&value, from, sizeof value);
  return value;
}
inline void Store(float* to, TFloat4 value) {
  std::memcpy(to, &value, sizeof value);
}

// Catmull-Rom: interpolates (it passes through the samples when enlarging)
// and sums to one at every offset, so flat areas stay flat.
constexpr double kSupport = 2.0;
double Cubic(double x) {
  x = std::fabs(x);
  if (x < 1) return (1.5 * x - 2.5) * x * x + 1;
  if (x < 2) return ((-0.5 * x + 2.5) * x - 4) * x + 2;
  return 0;
}

// For each target pixel in one direction: the first source pixel it reads and
// the weights of the source pixels from there on.
struct TContributions {
  std::vector<int32_t> First;
  std::vector<int32_t> Count;
  std::vector<float> Weights;  // MaxCount per target pixel
  int32_t MaxCount = 0;
};

// The source pixel that stands in for position i beyond the edges. Shrinking
// mirrors the source about its outermost pixels, which keeps the rhythm of a
// fine pattern (repeating the edge pixel would break it into a seam);
// enlarging repeats the outermost pixels, which keeps a ramp from turning back.
int32_t BeyondEdge(int32_t i, int32_t size, bool mirror) {
  if (!mirror || size == 1) return std::clamp(i, 0, size - 1);
  while (i < 0 || i >= size) i = i < 0 ? -i : 2 * (size - 1) - i;
  return i;
}

TContributions Contributions(int32_t sourceSize, int32_t targetSize) {
  TContributions result;
  const double scale = static_cast<double>(sourceSize) / targetSize;  // per target pixel
  const double widen = std::max(scale, 1.0);
  const double support = kSupport * widen;
  const bool mirror = scale > 1;
  result.MaxCount = std::min(static_cast<int32_t>(std::ceil(support)) * 2 + 1, sourceSize);
  result.First.resize(targetSize);
  result.Count.resize(targetSize);
  result.Weights.assign(static_cast<size_t>(targetSize) * result.MaxCount, 0.0f);
  std::vector<double> weights;
  for (int32_t t = 0; t < targetSize; ++t) {
    // Source pixel i covers [i, i + 1); the target pixel's centre lands here.
    const double center = (t + 0.5) * scale;
    const int32_t from = static_cast<int32_t>(std::floor(center - support + 0.5));
    const int32_t to = static_cast<int32_t>(std::floor(center + support + 0.5));  // exclusive
    // Fold the taps beyond the edges onto the pixels that stand in for them.
    int32_t first = sourceSize, last = -1;
    for (int32_t i = from; i < to; ++i) {
      const int32_t j = BeyondEdge(i, sourceSize, mirror);
      first = std::min(first, j), last = std::max(last, j);
    }
    weights.assign(static_cast<size_t>(last - first + 1), 0.0);
    double total = 0;
    for (int32_t i = from; i < to; ++i) {
      const double w = Cubic((i + 0.5 - center) / widen);
      weights[BeyondEdge(i, sourceSize, mirror) - first] += w;
      total += w;
    }
    const int32_t count = std::min(last - first + 1, result.MaxCount);
    result.First[t] = first;
    result.Count[t] = count;
    float* out = &result.Weights[static_cast<size_t>(t) * result.MaxCount];
    for (int32_t i = 0; i < count; ++i) out[i] = static_cast<float>(weights[i] / total);
  }
  return result;
}

uint32_t ToByte(float value) {
  const int32_t v = static_cast<int32_t>(value + 0.5f);
  return static_cast<uint32_t>(std::clamp(v, 0, 255));
}

// One source row as three floats a pixel (blue, green, red), composed over
// black; the plain three-byte layout converts as one run of bytes.
void ConvertRow(const uint8_t* row, TPixelLayout layout, int32_t width, float* out) {
  const size_t count = static_cast<size_t>(width) * 3;
  if (!row) {
    std::fill(out, out + count, 0.0f);
    return;
  }
  switch (layout) {
    case TPixelLayout::Bgr24:
      for (size_t i = 0; i < count; ++i) out[i] = row[i];
      break;
    case TPixelLayout::Bgrx32:
    case TPixelLayout::PremultipliedBgra32:
      for (int32_t x = 0; x < width; ++x, row += 4, out += 3)
        out[0] = row[0], out[1] = row[1], out[2] = row[2];
      break;
    case TPixelLayout::Bgra32:
      for (int32_t x = 0; x < width; ++x, row += 4, out += 3) {
        const float alpha = row[3] * (1.0f / 255);
        out[0] = row[0] * alpha, out[1] = row[1] * alpha, out[2] = row[2] * alpha;
      }
      break;
  }
}

// The cubic filter proper, on a source that is less than twice the target's
// size in neither direction or was reduced to that.
void CubicInto(const TRowSource& source, const TPixelView& target) {
  const TContributions across = Contributions(source.Width, target.Width);
  const TContributions down = Contributions(source.Height, target.Height);

  // Down first, then across: the long pass runs over whole rows of floats,
  // which the compiler turns into vector operations. Source rows, converted
  // once each, wait in a ring that holds the rows one target row reads.
  const size_t sourceFloats = static_cast<size_t>(source.Width) * 3;
  std::vector<float> ring(sourceFloats * down.MaxCount);
  // One target row's worth at full width, and a spare float for reading the
  // last pixel four floats at a time.
  std::vector<float> column(sourceFloats + 1);
  std::vector<const float*> rows(static_cast<size_t>(down.MaxCount));
  int32_t nextRow = 0;  // next source row to convert
  for (int32_t t = 0; t < target.Height; ++t) {
    const int32_t first = down.First[t], count = down.Count[t];
    for (; nextRow < first + count; ++nextRow)
      ConvertRow(source.Row(nextRow), source.Layout, source.Width,
                 &ring[(nextRow % down.MaxCount) * sourceFloats]);

    // Twelve floats (four pixels) at a time, the sums kept in registers while
    // the rows go by.
    const float* w = &down.Weights[static_cast<size_t>(t) * down.MaxCount];
    for (int32_t i = 0; i < count; ++i)
      rows[i] = &ring[((first + i) % down.MaxCount) * sourceFloats];
    size_t k = 0;
    for (; k + 12 <= sourceFloats; k += 12) {
      TFloat4 sum0 = {0, 0, 0, 0}, sum1 = sum0, sum2 = sum0;
      for (int32_t i = 0; i < count; ++i) {
        const float weight = w[i];
        const float* row = rows[i] + k;
        sum0 += weight * Load(row), sum1 += weight * Load(row + 4), sum2 += weight * Load(row + 8);
      }
      Store(&column[k], sum0), Store(&column[k + 4], sum1), Store(&column[k + 8], sum2);
    }
    for (; k + 4 <= sourceFloats; k += 4) {
      TFloat4 sum = {0, 0, 0, 0};
      for (int32_t i = 0; i < count; ++i) sum += w[i] * Load(rows[i] + k);
      Store(&column[k], sum);
    }
    for (; k < sourceFloats; ++k) {
      float sum = 0;
      for (int32_t i = 0; i < count; ++i) sum += w[i] * rows[i][k];
      column[k] = sum;
    }

    uint32_t* out = target.Row(t);
    for (int32_t x = 0; x < target.Width; ++x) {
      const float* weights = &across.Weights[static_cast<size_t>(x) * across.MaxCount];
      const float* in = &column[static_cast<size_t>(across.First[x]) * 3];
      TFloat4 sum = {0, 0, 0, 0};  // the fourth lane reads the next pixel's blue
      for (int32_t i = 0; i < across.Count[x]; ++i) sum += weights[i] * Load(in + 3 * i);
      out[x] = ToByte(sum[2]) << 16 | ToByte(sum[1]) << 8 | ToByte(sum[0]);
    }
  }
}

}  // namespace

void ResampleInto(const TRowSource& source, const TPixelView& target) {
  if (source.Width <= 0 || source.Height <= 0 || !source.Row || target.Empty()) return;
  const int32_t factorX = ReductionFactor(source.Width, target.Width);
  const int32_t factorY = ReductionFactor(source.Height, target.Height);
  if (factorX == 1 && factorY == 1) return CubicInto(source, target);

  // Much smaller targets first average whole blocks, as the source rows come,
  // down to at least twice their size: every source pixel is then added once
  // instead of being weighed for many target pixels.
  std::vector<uint8_t> reducedRow, blackRow;
  int32_t emitted = -1, nextSourceRow = 0;
  TBoxReducer reducer(source.Width, source.Height, factorX, factorY,
                      [&](int32_t row, const uint8_t* pixels) {
                        std::memcpy(reducedRow.data(), pixels, reducedRow.size());
                        emitted = row;
                      });
  reducedRow.resize(static_cast<size_t>(reducer.ReducedWidth()) * 3);
  const TRowSource reduced{reducer.ReducedWidth(), reducer.ReducedHeight(), TPixelLayout::Bgr24,
                           [&](int32_t y) {
                             while (emitted < y && nextSourceRow < source.Height) {
                               const uint8_t* row = source.Row(nextSourceRow++);
                               if (!row) {
                                 blackRow.resize(static_cast<size_t>(source.Width) * 4);
                                 row = blackRow.data();
                               }
                               reducer.AddRows(row, 0, 1, source.Layout);
                             }
                             return static_cast<const uint8_t*>(reducedRow.data());
                           }};
  CubicInto(reduced, target);
}

void ResampleInto(const TRgbPicture& source, const TPixelView& target) {
  if (source.Empty()) return;
  ResampleInto(TRowSource{source.Width, source.Height, TPixelLayout::Bgr24,
                          [&source](int32_t y) { return source.Pixel(0, y); }},
               target);
}
