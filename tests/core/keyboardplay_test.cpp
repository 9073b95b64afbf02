// Keyboard play: the cursor's steps on the grid, and the pick-up, drop and
// put-back cycle played by the game's own rules.
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

TEST(KeyboardPlay, PickUpDropAndPutBackFollowTheGamesRules) {
  TGame game = test::MisplacedGame();
  TKeyboardPlay keys;
  keys.PlaceCursor(game, {4, 4});  // home: nothing to pick up
  EXPECT_FALSE(keys.PickUp(game));
  // Piece (1,2) lies in (0,2). Refused drops keep it held and count nothing.
  keys.PlaceCursor(game, {0, 2});
  ASSERT_TRUE(keys.PickUp(game));
  EXPECT_EQ(keys.HeldPieceHome(game), (TCellPos{1, 2}));
  for (TCellPos target : {TCellPos{0, 2}, TCellPos{5, 5}, TCellPos{7, 0}})
    EXPECT_FALSE(keys.Release(game, target).has_value());
  EXPECT_EQ(keys.Held(), (TCellPos{0, 2}));
  keys.PutBack();
  EXPECT_FALSE(keys.Holding());

  // A drop on a misplaced cell that is not its home is a wrong move.
  ASSERT_TRUE(keys.PickUp(game));
  std::optional<TMove> move = keys.Release(game, {0, 0});
  ASSERT_TRUE(move.has_value());
  EXPECT_FALSE(keys.Holding());
  EXPECT_EQ(game.Play(*move), TDropOutcome::MovedWrongly);

  // A piece held while the pointer moves it follows it, and is let go at home.
  keys.PlaceCursor(game, {0, 0});  // now piece (1,2)
  ASSERT_TRUE(keys.PickUp(game));
  const TMove pointerMove{{0, 0}, {1, 2}};
  EXPECT_EQ(game.Play(pointerMove), TDropOutcome::Moved);
  keys.Follow(game, pointerMove);
  EXPECT_FALSE(keys.Holding());

  // Every piece home from the keyboard: the last drop solves the game.
  TDropOutcome outcome = TDropOutcome::Refused;
  while (!game.Solved()) {
    for (int cell = 0; cell < 49 && !keys.Holding(); ++cell) {
      keys.PlaceCursor(game, {cell % 7, cell / 7});
      keys.PickUp(game);
    }
    move = keys.Release(game, keys.HeldPieceHome(game));
    ASSERT_TRUE(move.has_value());
    outcome = game.Play(*move);
  }
  EXPECT_EQ(outcome, TDropOutcome::Solved);
  EXPECT_EQ(game.Moves(), 5);
  EXPECT_EQ(game.WrongMoves(), 1);
}

}  // namespace
