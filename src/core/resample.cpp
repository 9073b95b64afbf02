#include "resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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

// Blue, green and red rounded and clamped to bytes, as one pixel.
typedef int32_t TInt4 __attribute__((vector_size(16)));
uint32_t ToPixel(TFloat4 value) {
  const TFloat4 zero = {0, 0, 0, 0}, top = {255, 255, 255, 255};
  value += 0.5f;
  value = value < zero ? zero : value;
  value = value > top ? top : value;
  const TInt4 bytes = __builtin_convertvector(value, TInt4);
  return static_cast<uint32_t>(bytes[2] << 16 | bytes[1] << 8 | bytes[0]);
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

// The cubic filter proper. Sources larger than four times the target have
// been block-reduced, so a target pixel weighs at most about 17 source pixels
// in each direction.
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
      out[x] = ToPixel(sum);
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
