#include "board.h"

#include <utility>

const char* const kTipsLoad = "Press [F5] to load a picture. Press [L] to load a game.";
const char* const kTipsRandomize = "Press [Alt + R] to randomize the picture.";
const char* const kTipsDrag = "Drag a piece of the puzzle on another piece, to swap them.";

void TBoard::ResetMap(int columns, int rows) {
  for (int column = 0; column < columns && column < kMaxGridCells; ++column)
    for (int row = 0; row < rows && row < kMaxGridCells; ++row)
      Map[column][row] = TCell{column, row, 0, 0};
}

bool TBoard::IsCellCorrect(int column, int row) const {
  const TCell& cell = Map[column][row];
  return cell.C == column && cell.R == row;
}

void TBoard::SwapCells(int column1, int row1, int column2, int row2) {
  std::swap(Map[column1][row1], Map[column2][row2]);
  GameModified = true;
}

int TBoard::CountRemainingPieces() const {
  int remaining = 0;
  for (int row = 0; row < ResultedRows; ++row)
    for (int column = 0; column < ResultedColumns; ++column)
      if (!IsCellCorrect(column, row)) ++remaining;
  return remaining;
}

bool TBoard::InPlayArea(int column, int row) const {
  return column >= 0 && row >= 0 && column < ResultedColumns && row < ResultedRows &&
         column < kMaxGridCells && row < kMaxGridCells;
}

TPieceSize ComputePieceSize(int areaWidth, int areaHeight, int columns, int rows) {
  return TPieceSize{columns > 0 ? areaWidth / columns : 0, rows > 0 ? areaHeight / rows : 0};
}

int32_t GridCount(int fittedSize, int pieceSize, int limit) {
  int count = pieceSize > 0 ? fittedSize / pieceSize : 0;
  if (count < 1) count = 1;
  if (count > limit) count = limit;
  return count;
}

std::string PositionText(int column, int row) {
  return "Column " + std::to_string(column + 1) + ". Row " + std::to_string(row + 1) + ".";
}

std::string MovesText(int32_t moves) {
  return "You have made " + std::to_string(moves) + " moves.";
}

std::string WrongMovesText(int32_t wrongMoves) {
  return "You have made " + std::to_string(wrongMoves) + " wrong moves.";
}

std::string RemainingText(int remaining) {
  if (remaining == 0) return "The puzzle is solved.";
  return "There are " + std::to_string(remaining) + " pieces remaining to be placed correctly.";
}

std::string PieceHintText(const TCell& cell) {
  return "Column " + std::to_string(cell.C + 1) + "; Row " + std::to_string(cell.R + 1) +
         "; Flip horiz " + (cell.FH ? "YES" : "NO") + "; Flip vert " + (cell.FV ? "YES" : "NO");
}
