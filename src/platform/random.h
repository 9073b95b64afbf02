// The program's random generator: the system's cryptographic generator, with
// a running value stirred by pointer movements and the tick count mixed into
// every request.
#pragma once

#include <windows.h>
#include <wincrypt.h>

#include <cstdint>

// The running value, program-wide, 0 at start.
extern uint32_t StirState;

class TRandom {
 public:
  TRandom();
  ~TRandom();
  TRandom(const TRandom&) = delete;
  TRandom& operator=(const TRandom&) = delete;

  uint32_t Stir(int32_t x, int32_t y);
  void FeedPointerPosition(int32_t x, int32_t y);
  int32_t NextInt();
  uint8_t NextByte();

  HCRYPTPROV CryptoProvider = 0;
  int32_t LastPointerX = 0;
  int32_t LastPointerY = 0;
  // The clock; tests put their own here.
  DWORD(WINAPI* TickCount)() = GetTickCount;
};

extern TRandom Random;
