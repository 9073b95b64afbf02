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
  PutBack();
}

bool TKeyboardPlay::PickUp(const TGame& game) {
  held_ = game.CanPickUp(cursor_) ? cursor_ : TCellPos{};
  return Holding();
}

std::optional<TMove> TKeyboardPlay::Release(const TGame& game, TCellPos target) {
  std::optional<TMove> move = game.PlanDrop(held_, target);
  if (move) PutBack();
  return move;
}

TCellPos TKeyboardPlay::HeldPieceHome(const TGame& game) const {
  if (!game.InPlayArea(held_)) return TCellPos{};
  const TCell& piece = game.PieceIn(held_);
  return TCellPos{piece.C, piece.R};
}

void TKeyboardPlay::Follow(const TGame& game, const TMove& move) {
  if (held_ == move.From)
    held_ = move.To;
  else if (held_ == move.To)
    held_ = move.From;
  Check(game);
}

void TKeyboardPlay::Check(const TGame& game) {
  if (!game.CanPickUp(held_)) PutBack();
}
