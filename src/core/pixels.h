// 32-bit pixel buffers (blue, green, red, unused byte; rows top to bottom) and
// the few operations the views need: the retained bitmaps of the picture views
// are such buffers.
#pragma once

#include <cstdint>

struct TPixelView {
  uint32_t* Pixels = nullptr;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Stride = 0;  // in pixels

  uint32_t* Row(int32_t y) const { return Pixels + static_cast<intptr_t>(y) * Stride; }
  uint32_t At(int32_t x, int32_t y) const { return Row(y)[x]; }
  bool Empty() const { return Pixels == nullptr || Width <= 0 || Height <= 0; }
};

// Windows colour values have red in the low byte; pixels have blue there.
constexpr uint32_t PixelFromColorRef(uint32_t colorRef) {
  return ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}
constexpr uint32_t ColorRefFromPixel(uint32_t pixel) {
  return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

void FillPixels(const TPixelView& target, uint32_t pixel);

// Copies a width by height block from (sourceX, sourceY) to (targetX, targetY),
// mirrored left to right and/or top to bottom within the block. Parts outside
// either buffer are skipped.
void CopyBlock(const TPixelView& source, int32_t sourceX, int32_t sourceY, const TPixelView& target,
               int32_t targetX, int32_t targetY, int32_t width, int32_t height,
               bool mirrorHorizontally, bool mirrorVertically);

// A frame on the outermost pixels of the rectangle, lineWidth pixels wide.
void DrawFrame(const TPixelView& target, int32_t left, int32_t top, int32_t width, int32_t height,
               uint32_t pixel, int32_t lineWidth = 1);
