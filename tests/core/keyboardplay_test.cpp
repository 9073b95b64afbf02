// Keyboard play: the cursor's steps on the grid, and the pick-up, drop and
// put-back cycle played by the game's own rules.
#include <gtest/gtest.h>

#include "core/keyboardplay.h"
#include "tests/support/boards.h"

namespace {

TCellPos At(int column, int row) {
  return TCellPos{column, row};
}

TEST(KeyboardPlay, TheCursorStepsAndStopsAtTheEdges) {
  TGame game = TGame::FromBoard(test::PlayingBoard(4, 3));
  TKeyboardPlay keys;
  keys.MoveCursor(game, TCursorStep::Left);
  keys.MoveCursor(game, TCursorStep::Up);
  EXPECT_EQ(keys.Cursor(), At(0, 0));
  keys.MoveCursor(game, TCursorStep::Right);
  keys.MoveCursor(game, TCursorStep::Down);
  EXPECT_EQ(keys.Cursor(), At(1, 1));
  keys.MoveCursor(game, TCursorStep::RowLast);
  EXPECT_EQ(keys.Cursor(), At(3, 1));
  keys.MoveCursor(game, TCursorStep::Right);
  EXPECT_EQ(keys.Cursor(), At(3, 1));
  keys.MoveCursor(game, TCursorStep::RowFirst);
  EXPECT_EQ(keys.Cursor(), At(0, 1));
  keys.MoveCursor(game, TCursorStep::BoardLast);
  keys.MoveCursor(game, TCursorStep::Down);
  EXPECT_EQ(keys.Cursor(), At(3, 2));
  keys.MoveCursor(game, TCursorStep::BoardFirst);
  EXPECT_EQ(keys.Cursor(), At(0, 0));

  // A click outside the grid leaves the cursor; a smaller grid pulls it in.
  keys.PlaceCursor(game, At(3, 2));
  keys.PlaceCursor(game, At(4, 0));
  EXPECT_EQ(keys.Cursor(), At(3, 2));
  game.SetPlayArea(2, 2);
  keys.Reset(game);
  EXPECT_EQ(keys.Cursor(), At(1, 1));
}

TEST(KeyboardPlay, PickUpDropAndPutBackFollowTheGamesRules) {
  TGame game = test::MisplacedGame();
  TKeyboardPlay keys;
  keys.PlaceCursor(game, At(4, 4));  // home: nothing to pick up
  EXPECT_FALSE(keys.PickUp(game));
  EXPECT_FALSE(keys.Holding());

  // Piece (1,2) lies in (0,2). Refused drops keep it held and count nothing.
  keys.PlaceCursor(game, At(0, 2));
  ASSERT_TRUE(keys.PickUp(game));
  EXPECT_EQ(keys.HeldPieceHome(game), At(1, 2));
  for (TCellPos target : {At(0, 2), At(5, 5), At(7, 0)})
    EXPECT_FALSE(keys.Release(game, target).has_value());
  EXPECT_EQ(keys.Held(), At(0, 2));
  keys.PutBack();
  EXPECT_FALSE(keys.Holding());
  EXPECT_EQ(game.Moves(), 0);

  // A drop on a misplaced cell that is not its home is a wrong move.
  ASSERT_TRUE(keys.PickUp(game));
  std::optional<TMove> move = keys.Release(game, At(0, 0));
  ASSERT_TRUE(move.has_value());
  EXPECT_FALSE(keys.Holding());
  EXPECT_EQ(game.Play(*move), TDropOutcome::MovedWrongly);
  EXPECT_EQ(game.Moves(), 1);
  EXPECT_EQ(game.WrongMoves(), 1);

  // Every piece home from the keyboard: the last drop solves the game.
  TDropOutcome outcome = TDropOutcome::Refused;
  while (!game.Solved()) {
    for (int cell = 0; cell < 49; ++cell) {
      keys.PlaceCursor(game, At(cell % 7, cell / 7));
      if (keys.PickUp(game)) break;
    }
    move = keys.Release(game, keys.HeldPieceHome(game));
    ASSERT_TRUE(move.has_value());
    outcome = game.Play(*move);
  }
  EXPECT_EQ(outcome, TDropOutcome::Solved);
  EXPECT_EQ(game.WrongMoves(), 1);
}

TEST(KeyboardPlay, AHeldPieceFollowsAPointerMoveAndIsLetGoAtHome) {
  TGame game = test::MisplacedGame();
  TKeyboardPlay keys;
  keys.PlaceCursor(game, At(0, 2));  // piece (1,2)
  ASSERT_TRUE(keys.PickUp(game));
  // The pointer moves piece (2,2) from (1,2) onto the held cell: the held
  // piece is sent to (1,2), its home, and is let go.
  const TMove pointerMove{At(1, 2), At(0, 2)};
  game.Play(pointerMove);
  keys.Follow(game, pointerMove);
  EXPECT_FALSE(keys.Holding());

  keys.PlaceCursor(game, At(0, 0));  // piece (1,0)
  ASSERT_TRUE(keys.PickUp(game));
  const TMove other{At(0, 2), At(2, 2)};  // elsewhere: the hold stays
  game.Play(other);
  keys.Follow(game, other);
  EXPECT_EQ(keys.Held(), At(0, 0));
}

}  // namespace
