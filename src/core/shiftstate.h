// The shift state that comes with each pointer event: seven flags, and the
// tests on its modifier part (the flags without the three buttons).
#pragma once

#include <cstdint>

enum TShiftFlag : uint8_t {
  ssShift = 1 << 0,
  ssAlt = 1 << 1,
  ssCtrl = 1 << 2,
  ssLeft = 1 << 3,
  ssRight = 1 << 4,
  ssMiddle = 1 << 5,
  ssDouble = 1 << 6,
};

struct TShiftState {
  uint8_t Flags = 0;

  constexpr TShiftState() = default;
  constexpr explicit TShiftState(uint8_t flags) : Flags(flags) {}
  constexpr bool Has(TShiftFlag flag) const { return (Flags & flag) != 0; }
  constexpr TShiftState With(TShiftFlag flag) const { return TShiftState(Flags | flag); }
  constexpr TShiftState Without(TShiftFlag flag) const {
    return TShiftState(static_cast<uint8_t>(Flags & ~flag));
  }
  constexpr bool operator==(const TShiftState& other) const { return Flags == other.Flags; }
};

constexpr uint8_t kModifierFlags = ssShift | ssAlt | ssCtrl | ssDouble;

constexpr TShiftState GetModifierKeys(TShiftState shift) {
  return TShiftState(static_cast<uint8_t>(shift.Flags & kModifierFlags));
}
constexpr bool NoModifierKeys(TShiftState shift) {
  return GetModifierKeys(shift).Flags == 0;
}
constexpr bool OnlyModifierKey(TShiftState shift, TShiftFlag key) {
  return GetModifierKeys(shift).Flags == key;
}
constexpr bool OnlyModifierKeys(TShiftState shift, TShiftFlag key1, TShiftFlag key2) {
  return GetModifierKeys(shift).Flags == (key1 | key2);
}
