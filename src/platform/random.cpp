#include "random.h"

#include "core/stir.h"

uint32_t StirState = 0;

TRandom Random;

TRandom::TRandom() {
  POINT cursor{};
  GetCursorPos(&cursor);
  LastPointerX = cursor.x;
  LastPointerY = cursor.y;
  Stir(LastPointerX, LastPointerY);
  // Without flags the provider opens the user's default key container, which
  // many accounts (and every Wine prefix) do not have: the shuffle would then
  // run on the stirred values alone. Random numbers need no keys, so a
  // verify-only context serves where the container is missing.
  if (!CryptAcquireContextA(&CryptoProvider, nullptr, nullptr, PROV_RSA_FULL, 0) &&
      !CryptAcquireContextA(&CryptoProvider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
    CryptoProvider = 0;
}

TRandom::~TRandom() {
  if (CryptoProvider) CryptReleaseContext(CryptoProvider, 0);
}

uint32_t TRandom::Stir(int32_t x, int32_t y) {
  StirState = StirValue(StirState, x, y, TickCount());
  return StirState;
}

void TRandom::FeedPointerPosition(int32_t x, int32_t y) {
  if (!MovedEnough(x, y, LastPointerX, LastPointerY)) return;
  LastPointerX = x;
  LastPointerY = y;
  Stir(x, y);
}

int32_t TRandom::NextInt() {
  const uint32_t seed = Stir(0, 0);
  BYTE buffer[4] = {static_cast<BYTE>(seed), static_cast<BYTE>(seed >> 8),
                    static_cast<BYTE>(seed >> 16), static_cast<BYTE>(seed >> 24)};
  // The buffer's content is extra seed material; without a provider it stays
  // the stirred value.
  if (CryptoProvider) CryptGenRandom(CryptoProvider, sizeof buffer, buffer);
  return static_cast<int32_t>(uint32_t{buffer[0]} | (uint32_t{buffer[1]} << 8) |
                              (uint32_t{buffer[2]} << 16) | (uint32_t{buffer[3]} << 24));
}

uint8_t TRandom::NextByte() {
  BYTE buffer = static_cast<BYTE>(Stir(0, 0));
  if (CryptoProvider) CryptGenRandom(CryptoProvider, 1, &buffer);
  return buffer;
}
