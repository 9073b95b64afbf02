#include "pixels.h"

#include <algorithm>
#include <cstring>

namespace {

bool Inside(const TPixelView& view, int32_t x, int32_t y) {
  return x >= 0 && y >= 0 && x < view.Width && y < view.Height;
}

void PutPixel(const TPixelView& view, int32_t x, int32_t y, uint32_t pixel) {
  if (Inside(view, x, y)) view.Row(y)[x] = pixel;
}

}  // namespace

void FillPixels(const TPixelView& target, uint32_t pixel) {
  if (target.Empty()) return;
  for (int32_t y = 0; y < target.Height; ++y) std::fill_n(target.Row(y), target.Width, pixel);
}

void CopyBlock(const TPixelView& source, int32_t sourceX, int32_t sourceY, const TPixelView& target,
               int32_t targetX, int32_t targetY, int32_t width, int32_t height,
               bool mirrorHorizontally, bool mirrorVertically) {
  if (source.Empty() || target.Empty()) return;
  for (int32_t dy = 0; dy < height; ++dy) {
    const int32_t sy = sourceY + (mirrorVertically ? height - 1 - dy : dy);
    const int32_t ty = targetY + dy;
    if (sy < 0 || sy >= source.Height || ty < 0 || ty >= target.Height) continue;
    const uint32_t* from = source.Row(sy);
    uint32_t* to = target.Row(ty);
    if (!mirrorHorizontally && sourceX >= 0 && targetX >= 0 && sourceX + width <= source.Width &&
        targetX + width <= target.Width) {
      std::memmove(to + targetX, from + sourceX, static_cast<size_t>(width) * sizeof(uint32_t));
      continue;
    }
    for (int32_t dx = 0; dx < width; ++dx) {
      const int32_t sx = sourceX + (mirrorHorizontally ? width - 1 - dx : dx);
      const int32_t tx = targetX + dx;
      if (sx >= 0 && sx < source.Width && tx >= 0 && tx < target.Width) to[tx] = from[sx];
    }
  }
}

void DrawFrame(const TPixelView& target, int32_t left, int32_t top, int32_t width, int32_t height,
               uint32_t pixel, int32_t lineWidth) {
  if (target.Empty() || width <= 0 || height <= 0) return;
  // A wide frame is nested one-pixel frames, never wider than half the block.
  for (int32_t inset = 0; inset < lineWidth && 2 * inset < width && 2 * inset < height; ++inset) {
    const int32_t right = left + width - 1 - inset;
    const int32_t bottom = top + height - 1 - inset;
    for (int32_t x = left + inset; x <= right; ++x) {
      PutPixel(target, x, top + inset, pixel);
      PutPixel(target, x, bottom, pixel);
    }
    for (int32_t y = top + inset; y <= bottom; ++y) {
      PutPixel(target, left + inset, y, pixel);
      PutPixel(target, right, y, pixel);
    }
  }
}
