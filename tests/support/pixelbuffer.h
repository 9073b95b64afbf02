// A picture's 32-bit pixels, owned, as views and decoded rows have them.
#pragma once

#include <cstdint>
#include <vector>

#include "core/pixels.h"

struct TPixelBuffer {
  std::vector<uint32_t> Pixels;
  int Width = 0;
  int Height = 0;
  TPixelBuffer(int width, int height)
      : Pixels(static_cast<size_t>(width) * height), Width(width), Height(height) {}
  TPixelView View() { return TPixelView{Pixels.data(), Width, Height, Width}; }
  bool Empty() const { return Pixels.empty(); }
  const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(Pixels.data()); }
};
