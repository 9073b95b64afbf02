#include "keyboardplay.h"

#include <algorithm>

void TKeyboardPlay::MoveCursor(const TGame& game, TCursorStep step) {
  const int lastColumn = std::max(game.Columns() - 1, 0);
  const int lastRow = std::max(game.Rows() - 1, 0);
  TCellPos& c = cursor_;
  switch (step) {
    case TCursorStep::Left:
      c.Column = std::max(c.Column - 1, 0);
      break;
    case TCursorStep::Right:
      c.Column = std::min(c.Column + 1, lastColumn);
      break;
    case TCursorStep::Up:
      c.Row = std::max(c.Row - 1, 0);
      break;
    case TCursorStep::Down:
      c.Row = std::min(c.Row + 1, lastRow);
      break;
    case TCursorStep::RowFirst:
      c.Column = 0;
      break;
    case TCursorStep::RowLast:
      c.Column = lastColumn;
      break;
    case TCursorStep::BoardFirst:
      c = TCellPos{0, 0};
      break;
    case TCursorStep::BoardLast:
      c = TCellPos{lastColumn, lastRow};
      break;
  }
}

void TKeyboardPlay::PlaceCursor(const TGame& game, TCellPos cell) {
  if (game.InPlayArea(cell)) cursor_ = cell;
}

void TKeyboardPlay::Reset(const TGame& game) {
  cursor_.Column = std::clamp(cursor_.Column, 0, std::max(game.Columns() - 1, 0));
  cursor_.Row = std::clamp(cursor_.Row, 0, std::max(game.Rows() - 1, 0));
}
