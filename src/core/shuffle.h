// The shuffle: exchanges every cell of the play area five times with a random
// cell, then decides every mirror flag anew.
#pragma once

#include <cstdint>
#include <functional>

#include "board.h"

// Where the shuffle's numbers come from: the program's generator, or a script
// in tests.
struct TRandomSource {
  std::function<int32_t()> NextInt;
  std::function<uint8_t()> NextByte;
};

void ShuffleBoard(TBoard& board, bool allowFlip, const TRandomSource& random);
