#include "resample.h"

#include <algorithm>
#include <cmath>

TPixelBuffer::TPixelBuffer(int32_t width, int32_t height)
    : Pixels(static_cast<size_t>(std::max(width, 0)) * std::max(height, 0)),
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

int32_t ReductionFactor(int32_t sourceSize, int32_t largestTarget) {
  if (sourceSize <= 0 || largestTarget <= 0) return 1;
  const int64_t factor = sourceSize / (2 * static_cast<int64_t>(largestTarget));
  // An even block averages any two-pixel rhythm (stripes, checks, dithering)
  // away completely; an odd one leaves a third of it for the filter to fight.
  if (factor <= 1) return 1;
  return static_cast<int32_t>(factor - factor % 2);
}

// --- box reduction ---

TBoxReducer::TBoxReducer(int32_t sourceWidth, int32_t sourceHeight, int32_t factorX,
                         int32_t factorY, int32_t orientation)
    : sourceWidth_(std::max(sourceWidth, 0)),
      sourceHeight_(std::max(sourceHeight, 0)),
      factorX_(std::clamp(factorX, 1, std::max(sourceWidth_, 1))),
      factorY_(std::clamp(factorY, 1, std::max(sourceHeight_, 1))),
      orientation_(ValidOrientation(orientation)),
      reducedWidth_((sourceWidth_ + factorX_ - 1) / factorX_),
      reducedHeight_((sourceHeight_ + factorY_ - 1) / factorY_),
      lastBlockLeft_(std::max(sourceWidth_ - factorX_, 0)),
      lastBlockTop_(std::max(sourceHeight_ - factorY_, 0)),
      sums_(static_cast<size_t>(reducedWidth_) * 3),
      lastSums_(sums_.size()) {
  if (OrientationSwapsAxes(orientation_))
    result_ = TPixelBuffer(reducedHeight_, reducedWidth_);
  else
    result_ = TPixelBuffer(reducedWidth_, reducedHeight_);
}

namespace {

// Colour channels of one source pixel, over black.
template <TPixelLayout Layout>
inline void ReadPixel(const uint8_t* row, int32_t x, uint32_t& b, uint32_t& g, uint32_t& r) {
  if constexpr (Layout == TPixelLayout::Bgr24) {
    const uint8_t* p = row + 3 * static_cast<intptr_t>(x);
    b = p[0], g = p[1], r = p[2];
  } else {
    const uint8_t* p = row + 4 * static_cast<intptr_t>(x);
    if constexpr (Layout == TPixelLayout::Bgra32) {
      // v * a / 255, rounded, without a division.
      const uint32_t a = p[3];
      auto times = [a](uint32_t v) {
        const uint32_t t = v * a + 128;
        return (t + (t >> 8)) >> 8;
      };
      b = times(p[0]), g = times(p[1]), r = times(p[2]);
    } else {
      b = p[0], g = p[1], r = p[2];
    }
  }
}

template <TPixelLayout Layout>
inline void SumPixels(const uint8_t* row, int32_t from, int32_t to, uint32_t* sums) {
  uint32_t sb = 0, sg = 0, sr = 0;
  for (int32_t x = from; x < to; ++x) {
    uint32_t b, g, r;
    ReadPixel<Layout>(row, x, b, g, r);
    sb += b, sg += g, sr += r;
  }
  sums[0] += sb, sums[1] += sg, sums[2] += sr;
}

}  // namespace

template <TPixelLayout Layout>
void TBoxReducer::Accumulate(const uint8_t* row, uint32_t* sums) const {
  const int32_t wholeBlocks = reducedWidth_ - 1;
  for (int32_t block = 0; block < wholeBlocks; ++block, sums += 3)
    SumPixels<Layout>(row, block * factorX_, block * factorX_ + factorX_, sums);
  SumPixels<Layout>(row, lastBlockLeft_, sourceWidth_, sums);
}

void TBoxReducer::AddRow(const uint8_t* row, TPixelLayout layout, uint32_t* sums) const {
  switch (layout) {
    case TPixelLayout::Bgr24:
      return Accumulate<TPixelLayout::Bgr24>(row, sums);
    case TPixelLayout::Bgrx32:
      return Accumulate<TPixelLayout::Bgrx32>(row, sums);
    case TPixelLayout::Bgra32:
      return Accumulate<TPixelLayout::Bgra32>(row, sums);
    case TPixelLayout::PremultipliedBgra32:
      return Accumulate<TPixelLayout::PremultipliedBgra32>(row, sums);
  }
}

void TBoxReducer::AddRows(const uint8_t* rows, int32_t stride, int32_t count, TPixelLayout layout) {
  if (reducedWidth_ == 0) return;
  // Rows of whole blocks go to sums_, the last factorY_ rows to lastSums_;
  // a row may belong to both when the blocks overlap.
  const int32_t wholeBlockRows = (reducedHeight_ - 1) * factorY_;
  for (int32_t i = 0; i < count && sourceRow_ < sourceHeight_; ++i, ++sourceRow_) {
    const uint8_t* row = rows + static_cast<intptr_t>(i) * stride;
    if (sourceRow_ < wholeBlockRows) {
      AddRow(row, layout, sums_.data());
      if ((sourceRow_ + 1) % factorY_ == 0) EmitRow(sums_, sourceRow_ / factorY_);
    }
    if (sourceRow_ >= lastBlockTop_) {
      AddRow(row, layout, lastSums_.data());
      if (sourceRow_ + 1 == sourceHeight_) EmitRow(lastSums_, reducedHeight_ - 1);
    }
  }
}

void TBoxReducer::EmitRow(std::vector<uint32_t>& sums, int32_t reducedRow) {
  const uint32_t count = static_cast<uint32_t>(std::min(factorX_, sourceWidth_)) *
                         static_cast<uint32_t>(std::min(factorY_, sourceHeight_));
  const uint32_t* sum = sums.data();
  for (int32_t block = 0; block < reducedWidth_; ++block, sum += 3) {
    const uint32_t b = (sum[0] + count / 2) / count;
    const uint32_t g = (sum[1] + count / 2) / count;
    const uint32_t r = (sum[2] + count / 2) / count;
    const TPoint32 at =
        UprightPosition(orientation_, reducedWidth_, reducedHeight_, block, reducedRow);
    result_.Pixels[static_cast<size_t>(at.Y) * result_.Width + at.X] = r << 16 | g << 8 | b;
  }
  std::fill(sums.begin(), sums.end(), 0u);
}

// --- cubic resampling ---

namespace {

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

}  // namespace

void ResampleInto(const TPixelView& source, const TPixelView& target) {
  if (source.Empty() || target.Empty()) return;
  const TContributions across = Contributions(source.Width, target.Width);
  const TContributions down = Contributions(source.Height, target.Height);

  // Source rows stretched across, three floats a pixel, kept in a ring that
  // holds the rows one target row reads; each source row is stretched once.
  const size_t rowFloats = static_cast<size_t>(target.Width) * 3;
  std::vector<float> ring(rowFloats * down.MaxCount);
  std::vector<float> sourceRow(static_cast<size_t>(source.Width) * 3);
  int32_t nextRow = 0;  // next source row to stretch across
  auto stretchRow = [&](int32_t y) {
    const uint32_t* from = source.Row(y);
    for (int32_t x = 0; x < source.Width; ++x) {
      sourceRow[3 * x] = static_cast<float>(from[x] & 0xFF);
      sourceRow[3 * x + 1] = static_cast<float>(from[x] >> 8 & 0xFF);
      sourceRow[3 * x + 2] = static_cast<float>(from[x] >> 16 & 0xFF);
    }
    float* out = &ring[(y % down.MaxCount) * rowFloats];
    for (int32_t t = 0; t < target.Width; ++t) {
      const float* w = &across.Weights[static_cast<size_t>(t) * across.MaxCount];
      const float* in = &sourceRow[3 * static_cast<size_t>(across.First[t])];
      float b = 0, g = 0, r = 0;
      for (int32_t i = 0; i < across.Count[t]; ++i, in += 3) {
        b += w[i] * in[0], g += w[i] * in[1], r += w[i] * in[2];
      }
      out[3 * t] = b, out[3 * t + 1] = g, out[3 * t + 2] = r;
    }
  };

  std::vector<float> sum(rowFloats);
  for (int32_t t = 0; t < target.Height; ++t) {
    const int32_t first = down.First[t], count = down.Count[t];
    nextRow = std::max(nextRow, first);
    for (; nextRow < first + count; ++nextRow) stretchRow(nextRow);
    std::fill(sum.begin(), sum.end(), 0.0f);
    const float* w = &down.Weights[static_cast<size_t>(t) * down.MaxCount];
    for (int32_t i = 0; i < count; ++i) {
      const float* row = &ring[((first + i) % down.MaxCount) * rowFloats];
      for (size_t k = 0; k < rowFloats; ++k) sum[k] += w[i] * row[k];
    }
    uint32_t* out = target.Row(t);
    for (int32_t x = 0; x < target.Width; ++x)
      out[x] = ToByte(sum[3 * x + 2]) << 16 | ToByte(sum[3 * x + 1]) << 8 | ToByte(sum[3 * x]);
  }
}
