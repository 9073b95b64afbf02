#include <gtest/gtest.h>

#include <deque>

#include "core/shuffle.h"
#include "core/stir.h"
#include "tests/support/boards.h"

TEST(Stir, WorkedExample) {
  EXPECT_EQ(ReverseBytes(0x01020304u), 0x04030201u);
  EXPECT_EQ(ReverseBytes(3u), 0x03000000u);
  const uint32_t first = StirValue(0, 1, 2, 1000);
  EXPECT_EQ(first, 0x4018001Fu);
  EXPECT_EQ(StirValue(first, 0, 0, 1001), 0x48F800E1u);
  EXPECT_NE(StirValue(first, 0, 0, 1002), StirValue(first, 0, 0, 1001));
}

TEST(Stir, OnlyMovementsOfThreePixelsCount) {
  EXPECT_FALSE(MovedEnough(12, 12, 10, 10));
  EXPECT_FALSE(MovedEnough(8, 8, 10, 10));
  EXPECT_TRUE(MovedEnough(13, 10, 10, 10));
  EXPECT_TRUE(MovedEnough(10, 7, 10, 10));
  EXPECT_TRUE(MovedEnough(INT32_MIN, 0, INT32_MAX, 0));
}

namespace {

// A scripted generator that records what was asked of it.
struct Script {
  std::deque<int32_t> Ints;
  std::deque<uint8_t> Bytes;
  int IntsAsked = 0;
  int BytesAsked = 0;
  TRandomSource Source() {
    return TRandomSource{[this] {
                           ++IntsAsked;
                           if (Ints.empty()) return int32_t{0};
                           int32_t value = Ints.front();
                           Ints.pop_front();
                           return value;
                         },
                         [this] {
                           ++BytesAsked;
                           if (Bytes.empty()) return uint8_t{1};
                           uint8_t value = Bytes.front();
                           Bytes.pop_front();
                           return value;
                         }};
  }
};

}  // namespace

TEST(Shuffle, DrawsTheColumnBeforeTheRowAndTakesAbsoluteRemainders) {
  TBoard board = test::PlayingBoard(5, 5);
  // Only the first exchange moves anything; every later one targets its own
  // cell.
  Script script;
  script.Ints.push_back(-7);  // column 2
  script.Ints.push_back(9);   // row 4
  for (int round = 0; round < 5; ++round)
    for (int row = 0; row < 5; ++row)
      for (int column = 0; column < 5; ++column) {
        if (round == 0 && row == 0 && column == 0) continue;
        script.Ints.push_back(column);
        script.Ints.push_back(row);
      }
  ShuffleBoard(board, false, script.Source());
  EXPECT_EQ(script.IntsAsked, 2 * 5 * 5 * 5);
  EXPECT_TRUE(board.GameModified);
  EXPECT_EQ(board.Map[2][4].C, 0);
  EXPECT_EQ(board.Map[2][4].R, 0);
  EXPECT_EQ(board.Map[0][0].C, 2);
  EXPECT_EQ(board.Map[0][0].R, 4);
  EXPECT_EQ(board.CountRemainingPieces(), 2);
}

TEST(Shuffle, MirrorsOnlyMisplacedPiecesAndOnlyWhenAllowed) {
  Script script;
  script.Ints.push_back(1);  // (0,0) swaps with (1,0)
  script.Ints.push_back(0);
  for (int i = 1; i < 5 * 5 * 5; ++i) {
    int column = i % 5, row = (i / 5) % 5;
    script.Ints.push_back(column);
    script.Ints.push_back(row);
  }
  TBoard board = test::PlayingBoard(5, 5);
  board.Map[3][3].FH = 1;  // the player's own mirror does not survive
  auto ints = script.Ints;
  script.Bytes = {2, 3, 5, 4};  // (0,0): FH yes, FV no; (1,0): FH no, FV yes
  ShuffleBoard(board, true, script.Source());
  EXPECT_EQ(script.BytesAsked, 4);
  EXPECT_EQ(board.Map[0][0].FH, 1);
  EXPECT_EQ(board.Map[0][0].FV, 0);
  EXPECT_EQ(board.Map[1][0].FH, 0);
  EXPECT_EQ(board.Map[1][0].FV, 1);
  EXPECT_EQ(board.Map[3][3].FH, 0);

  TBoard unflipped = test::PlayingBoard(5, 5);
  Script again;
  again.Ints = ints;
  ShuffleBoard(unflipped, false, again.Source());
  EXPECT_EQ(again.BytesAsked, 0);
  EXPECT_EQ(unflipped.Map[0][0].FH + unflipped.Map[0][0].FV, 0);
}

TEST(Shuffle, OneColumnGridAlwaysTargetsColumnZero) {
  TBoard board = test::PlayingBoard(1, 6);
  Script script;
  for (int i = 0; i < 5 * 6; ++i) {
    script.Ints.push_back(-2147483647 - 1);  // any column number: rem 1 is 0
    script.Ints.push_back(i % 6 == 0 ? 5 : 0);
  }
  ShuffleBoard(board, true, script.Source());
  EXPECT_EQ(script.IntsAsked, 2 * 5 * 6);
  for (int row = 0; row < 6; ++row) EXPECT_GE(board.Map[0][row].R, 0);
  int sum = 0;
  for (int row = 0; row < 6; ++row) sum += board.Map[0][row].R;
  EXPECT_EQ(sum, 0 + 1 + 2 + 3 + 4 + 5);  // still a permutation
}
