// The random generator draws on the system's cryptographic provider.
#include <gtest/gtest.h>

#include "core/stir.h"
#include "platform/random.h"

namespace {

DWORD WINAPI FrozenTickCount() {
  return 1000;
}

}  // namespace

TEST(Random, NumbersComeFromTheProviderNotFromTheStirredValueAlone) {
  ASSERT_NE(Random.CryptoProvider, 0u);
  // Without a provider the number would be the stirred value itself.
  const auto tickCount = Random.TickCount;
  Random.TickCount = FrozenTickCount;
  int same = 0;
  for (int i = 0; i < 4; ++i) {
    const uint32_t stirred = StirValue(StirState, 0, 0, 1000);
    if (static_cast<uint32_t>(Random.NextInt()) == stirred) ++same;
  }
  Random.TickCount = tickCount;
  EXPECT_LT(same, 2);
}
