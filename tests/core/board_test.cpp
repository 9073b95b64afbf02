#include <gtest/gtest.h>

#include "core/board.h"
#include "tests/support/boards.h"

TEST(Board, StartsWithTheWholeMapAtHome) {
  TBoard board;
  EXPECT_EQ(board.ColumnsCount, 7);
  EXPECT_EQ(board.RowsCount, 7);
  for (int column = 0; column < kMaxGridCells; ++column)
    for (int row = 0; row < kMaxGridCells; ++row) EXPECT_TRUE(board.IsCellCorrect(column, row));
}

TEST(Board, SwapsCarryFlagsWithThePieceAndMarkTheGameModified) {
  TBoard board = test::PlayingBoard(5, 5);
  board.Map[1][2].FH = 1;
  board.SwapCells(1, 2, 3, 4);
  EXPECT_TRUE(board.GameModified);
  EXPECT_EQ(board.Map[3][4].C, 1);
  EXPECT_EQ(board.Map[3][4].R, 2);
  EXPECT_EQ(board.Map[3][4].FH, 1);
  EXPECT_EQ(board.Map[1][2].FH, 0);
  EXPECT_EQ(board.CountRemainingPieces(), 2);
  // A flipped piece at home is in place.
  board.SwapCells(1, 2, 3, 4);
  EXPECT_EQ(board.CountRemainingPieces(), 0);
  EXPECT_EQ(board.Map[1][2].FH, 1);
}

TEST(Board, OnlyThePlayAreaCounts) {
  TBoard board;
  board.ResultedColumns = 30;
  board.ResultedRows = 30;
  board.SwapCells(20, 20, 25, 25);  // an earlier, larger game
  board.ResultedColumns = 5;
  board.ResultedRows = 5;
  board.ResetMap(5, 5);
  EXPECT_EQ(board.CountRemainingPieces(), 0);
  EXPECT_FALSE(board.IsCellCorrect(20, 20));  // stale, never read in play
  EXPECT_FALSE(board.InPlayArea(5, 0));
  EXPECT_FALSE(board.InPlayArea(-1, 0));
  EXPECT_TRUE(board.InPlayArea(4, 4));
}

TEST(Board, GridOfAPicture) {
  // Area 500 wide: 28 columns give pieces of 17 and a full-width picture 29
  // columns; 30 columns would give 31, clamped to 30.
  EXPECT_EQ(ComputePieceSize(500, 440, 28, 7).Width, 17);
  EXPECT_EQ(GridCount(500, 17, 30), 29);
  EXPECT_EQ(GridCount(500, ComputePieceSize(500, 440, 30, 7).Width, 30), 30);
  // Area 395 wide, 25 columns: pieces of 15, 26 columns.
  EXPECT_EQ(ComputePieceSize(395, 440, 25, 7).Width, 15);
  EXPECT_EQ(GridCount(395, 15, 30), 26);
  // A panorama: its fitted height is less than a piece.
  EXPECT_EQ(GridCount(20, 62, 30), 1);
  EXPECT_EQ(GridCount(0, 62, 30), 1);
}

TEST(Board, LabelTextsHaveNoSingularForms) {
  EXPECT_EQ(MovesText(1), "You have made 1 moves.");
  EXPECT_EQ(WrongMovesText(0), "You have made 0 wrong moves.");
  EXPECT_EQ(RemainingText(1), "There are 1 pieces remaining to be placed correctly.");
  EXPECT_EQ(RemainingText(0), "The puzzle is solved.");
  EXPECT_EQ(PositionText(0, 4), "Column 1. Row 5.");
  EXPECT_EQ(PieceHintText(TCell{2, 0, 1, 0}), "Column 3; Row 1; Flip horiz YES; Flip vert NO");
}
