// The arithmetic that mixes pointer positions and the tick count into the
// random generator's running value.
#pragma once

#include <cstdint>

constexpr uint32_t ReverseBytes(uint32_t value) {
  return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}

// The new running value, all arithmetic modulo 2^32.
constexpr uint32_t StirValue(uint32_t state, int32_t x, int32_t y, uint32_t tickCount) {
  uint32_t s = state + static_cast<uint32_t>(x) + static_cast<uint32_t>(y);
  s = ReverseBytes(s) + tickCount;
  return (s >> 5) | (s << 27);
}

// A position is used only when it lies 3 pixels or more from the last one, in
// x or in y.
constexpr bool MovedEnough(int32_t x, int32_t y, int32_t lastX, int32_t lastY) {
  const int64_t dx = int64_t{x} - lastX;
  const int64_t dy = int64_t{y} - lastY;
  return (dx < 0 ? -dx : dx) >= 3 || (dy < 0 ? -dy : dy) >= 3;
}
