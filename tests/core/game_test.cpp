// The game's rules, natively: what a pick-up, a drop and a flip mean and do,
// the counters, the mark, and a new round.
#include <gtest/gtest.h>

#include "core/game.h"
#include "tests/support/boards.h"

namespace {

TCellPos At(int column, int row) {
  return TCellPos{column, row};
}

TEST(Game, StartsWithTheDefaultGridChosenAndNoPlayArea) {
  const TGame game;
  EXPECT_EQ(game.ChosenColumns(), kDefaultGridCount);
  EXPECT_EQ(game.ChosenRows(), kDefaultGridCount);
  EXPECT_EQ(game.Columns(), 0);
  EXPECT_FALSE(game.InPlayArea(At(0, 0)));
  EXPECT_FALSE(game.CanPickUp(At(0, 0)));
  EXPECT_EQ(game.Moves(), 0);
  EXPECT_FALSE(game.Modified());
  EXPECT_TRUE(game.Solved());
}

TEST(Game, OnlyMisplacedPiecesInThePlayAreaArePickedUp) {
  const TGame game = test::MisplacedGame();
  EXPECT_TRUE(game.CanPickUp(At(0, 0)));
  EXPECT_FALSE(game.CanPickUp(At(4, 4)));  // home
  EXPECT_FALSE(game.CanPickUp(At(7, 0)));  // outside
  EXPECT_FALSE(game.CanPickUp(At(-1, 0)));
  EXPECT_FALSE(game.CanPickUp(TCellPos{}));
  EXPECT_TRUE(game.IsHome(At(4, 4)));
  EXPECT_FALSE(game.IsHome(At(7, 7)));
}

TEST(Game, DropsAreRefusedOnTheSourcePiecesInPlaceAndOutside) {
  TGame game = test::MisplacedGame();
  const TGame before = game;
  for (const auto& [source, target] : std::initializer_list<std::pair<TCellPos, TCellPos>>{
           {At(0, 0), At(0, 0)},    // the source itself
           {At(0, 0), At(5, 5)},    // a piece in place
           {At(0, 0), At(7, 0)},    // outside
           {At(0, 0), At(0, -1)},   // outside
           {TCellPos{}, At(1, 0)},  // nothing held
           {At(4, 4), At(1, 0)},    // a piece in place is never held
       }) {
    EXPECT_FALSE(game.PlanDrop(source, target).has_value());
    EXPECT_EQ(game.Drop(source, target), TDropOutcome::Refused);
  }
  EXPECT_EQ(game.Moves(), 0);
  EXPECT_FALSE(game.Modified());
  EXPECT_EQ(game.Remaining(), before.Remaining());
}

TEST(Game, ADropThatBringsThePieceHomeIsAMove) {
  TGame game = test::MisplacedGame();
  // Piece (1,0) lies in (0,0): dropped on (1,0) it lands home, and the
  // piece sent back lands home too.
  const std::optional<TMove> move = game.PlanDrop(At(0, 0), At(1, 0));
  ASSERT_TRUE(move.has_value());
  EXPECT_EQ(move->From, At(0, 0));
  EXPECT_EQ(move->To, At(1, 0));
  EXPECT_EQ(game.Play(*move), TDropOutcome::Moved);
  EXPECT_EQ(game.Moves(), 1);
  EXPECT_EQ(game.WrongMoves(), 0);
  EXPECT_TRUE(game.Modified());
  EXPECT_EQ(game.Remaining(), 3);
  EXPECT_EQ(game.MovesLabel(), "You have made 1 moves.");
  EXPECT_EQ(game.RemainingLabel(), "There are 3 pieces remaining to be placed correctly.");
}

TEST(Game, OnlyTheDroppedPieceIsJudged) {
  TGame game = test::MisplacedGame();
  // Row 2 holds pieces (1,2), (2,2), (0,2). Piece (1,2) dropped on (2,2)
  // does not land home, though the piece sent back to (0,2) does.
  EXPECT_EQ(game.Drop(At(0, 2), At(2, 2)), TDropOutcome::MovedWrongly);
  EXPECT_TRUE(game.IsHome(At(0, 2)));
  EXPECT_EQ(game.Moves(), 1);
  EXPECT_EQ(game.WrongMoves(), 1);
  EXPECT_EQ(game.WrongMovesLabel(), "You have made 1 wrong moves.");
  // The last two moves solve the puzzle; the very last reports it.
  EXPECT_EQ(game.Drop(At(2, 2), At(1, 2)), TDropOutcome::Moved);
  EXPECT_EQ(game.Drop(At(0, 0), At(1, 0)), TDropOutcome::Solved);
  EXPECT_TRUE(game.Solved());
  EXPECT_EQ(game.Moves(), 3);
  EXPECT_EQ(game.WrongMoves(), 1);
  EXPECT_EQ(game.RemainingLabel(), "The puzzle is solved.");
}

TEST(Game, FlipsMirrorMisplacedPiecesOnlyAndAreNoMoves) {
  TGame game = test::MisplacedGame();
  EXPECT_TRUE(game.Flip(At(0, 0), TFlip::Horizontally));
  EXPECT_EQ(game.PieceIn(At(0, 0)).FH, 1);
  EXPECT_TRUE(game.Flip(At(0, 0), TFlip::Vertically));
  EXPECT_EQ(game.PieceIn(At(0, 0)).FV, 1);
  EXPECT_TRUE(game.Flip(At(0, 0), TFlip::Horizontally));
  EXPECT_EQ(game.PieceIn(At(0, 0)).FH, 0);
  EXPECT_FALSE(game.Flip(At(6, 6), TFlip::Horizontally));  // home
  EXPECT_FALSE(game.Flip(At(7, 6), TFlip::Vertically));    // outside
  EXPECT_EQ(game.PieceIn(At(6, 6)).FH, 0);
  EXPECT_EQ(game.Moves(), 0);
  EXPECT_FALSE(game.Modified());
  // A mirrored piece carried home counts as home and keeps its flags.
  EXPECT_EQ(game.Drop(At(0, 0), At(1, 0)), TDropOutcome::Moved);
  EXPECT_TRUE(game.IsHome(At(1, 0)));
  EXPECT_EQ(game.PieceIn(At(1, 0)).FV, 1);
}

TEST(Game, CountersRestartApartAndTheModifiedMarkFollowsSaving) {
  TGame game = test::MisplacedGame();
  ASSERT_EQ(game.Drop(At(0, 2), At(2, 2)), TDropOutcome::MovedWrongly);
  game.SetModified(false);  // saved
  EXPECT_FALSE(game.Modified());
  game.SetModified(true);
  game.ResetCounters();
  EXPECT_EQ(game.Moves(), 0);
  EXPECT_FALSE(game.Modified());
  EXPECT_EQ(game.WrongMoves(), 1);  // a new picture restarts them apart
  game.ResetWrongMoves();
  EXPECT_EQ(game.WrongMoves(), 0);
}

TEST(Game, ANewPictureSetsThePlayAreaAndPutsThePiecesHome) {
  TGame game = test::MisplacedGame();
  game.ChooseGrid(9, 12);
  EXPECT_EQ(game.ChosenColumns(), 9);
  EXPECT_EQ(game.ChosenRows(), 12);
  game.SetPlayArea(8, 31);
  EXPECT_EQ(game.Columns(), 8);
  EXPECT_EQ(game.Rows(), kMaxGridCells);
  EXPECT_FALSE(game.Solved());  // the map is left as it was
  game.PutPiecesHome();
  EXPECT_TRUE(game.Solved());
  EXPECT_TRUE(game.IsHome(At(7, 29)));
}

TEST(Game, ShuffleStartsANewRound) {
  TGame game = test::MisplacedGame();
  ASSERT_EQ(game.Drop(At(0, 2), At(2, 2)), TDropOutcome::MovedWrongly);
  int next = 0;
  const TRandomSource random{[&next] { return next++ * 7919; }, [] { return uint8_t{0}; }};
  game.Shuffle(true, random);
  EXPECT_EQ(game.Moves(), 0);
  EXPECT_EQ(game.WrongMoves(), 0);
  EXPECT_TRUE(game.Modified());
  EXPECT_TRUE(test::IsPermutation(game.Board()));
  EXPECT_GT(game.Remaining(), 0);
  // Byte 0 mirrors every misplaced piece both ways, and no piece at home.
  for (int row = 0; row < 7; ++row)
    for (int column = 0; column < 7; ++column) {
      const TCell& cell = game.PieceIn(At(column, row));
      EXPECT_EQ(cell.FH, game.IsHome(At(column, row)) ? 0 : 1);
    }
}

}  // namespace
