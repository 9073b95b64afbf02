#include "shuffle.h"

#include <cstdlib>

namespace {

// abs(a rem count), the remainder taking the sign of a.
int TargetOf(int32_t value, int count) {
  return std::abs(static_cast<int>(value % count));
}

}  // namespace

void ShuffleBoard(TBoard& board, bool allowFlip, const TRandomSource& random) {
  const int columns = board.ResultedColumns;
  const int rows = board.ResultedRows;
  if (columns <= 0 || rows <= 0) return;
  for (int round = 0; round < 5; ++round)
    for (int row = 0; row < rows; ++row)
      for (int column = 0; column < columns; ++column) {
        const int targetColumn = TargetOf(random.NextInt(), columns);
        const int targetRow = TargetOf(random.NextInt(), rows);
        board.SwapCells(column, row, targetColumn, targetRow);
      }
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      TCell& cell = board.Map[column][row];
      if (allowFlip && !board.IsCellCorrect(column, row)) {
        cell.FH = random.NextByte() % 2 == 0;
        cell.FV = random.NextByte() % 2 == 0;
      } else {
        cell.FH = cell.FV = 0;
      }
    }
}
