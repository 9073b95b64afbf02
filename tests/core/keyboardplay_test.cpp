// The keyboard's cursor: its steps on the grid. Picking up and dropping from
// the keyboard is the play session's (playsession_test.cpp).
#include <gtest/gtest.h>

#include <tuple>

#include "core/keyboardplay.h"
#include "tests/support/boards.h"

namespace {

TEST(KeyboardPlay, TheCursorStepsAndStopsAtTheEdges) {
  TGame game = TGame::FromBoard(test::PlayingBoard(4, 3));
  TKeyboardPlay keys;
  using S = TCursorStep;
  for (const auto& [step, column, row] :
       std::initializer_list<std::tuple<S, int, int>>{{S::Left, 0, 0},
                                                      {S::Up, 0, 0},
                                                      {S::Right, 1, 0},
                                                      {S::Down, 1, 1},
                                                      {S::RowLast, 3, 1},
                                                      {S::Right, 3, 1},
                                                      {S::RowFirst, 0, 1},
                                                      {S::BoardLast, 3, 2},
                                                      {S::Down, 3, 2},
                                                      {S::BoardFirst, 0, 0}}) {
    keys.MoveCursor(game, step);
    EXPECT_EQ(keys.Cursor(), (TCellPos{column, row}));
  }
  // A click outside the grid leaves the cursor; a smaller grid pulls it in.
  keys.PlaceCursor(game, {3, 2});
  keys.PlaceCursor(game, {4, 0});
  game.SetPlayArea(2, 2);
  keys.Reset(game);
  EXPECT_EQ(keys.Cursor(), (TCellPos{1, 1}));
}

}  // namespace
