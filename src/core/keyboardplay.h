// Playing from the keyboard: a cursor on the grid and the piece picked up
// with it. Like the pointer, it only names cells; the game's rules decide
// what a pick-up or a drop means, so both hands play by the same rules.
#pragma once

#include <optional>

#include "game.h"

enum class TCursorStep { Left, Right, Up, Down, RowFirst, RowLast, BoardFirst, BoardLast };

class TKeyboardPlay {
 public:
  TCellPos Cursor() const { return cursor_; }
  // The cell of the piece picked up; none while nothing is held.
  TCellPos Held() const { return held_; }
  bool Holding() const { return held_ != TCellPos{}; }

  // One step in the game's grid; the cursor stops at the edges.
  void MoveCursor(const TGame& game, TCursorStep step);
  // The cursor to a cell of the play area (where the pointer pressed).
  void PlaceCursor(const TGame& game, TCellPos cell);
  // A new grid or a new round: the cursor stays inside the grid, and
  // nothing is held.
  void Reset(const TGame& game);

  // Picks up the piece under the cursor; false, and nothing held, when the
  // game would not let the pointer pick it up.
  bool PickUp(const TGame& game);
  void PutBack() { held_ = TCellPos{}; }
  // The held piece dropped on target: the move the game plays, and nothing
  // held any more; nullopt, still holding, when the game refuses the drop.
  std::optional<TMove> Release(const TGame& game, TCellPos target);
  // Where the held piece belongs: a drop there is a drop on the original view.
  TCellPos HeldPieceHome(const TGame& game) const;

  // A move played by either hand: a held piece the move carried off is
  // followed to its new cell; one that can no longer be picked up (home, or
  // mirrored home) is let go.
  void Follow(const TGame& game, const TMove& move);
  void Check(const TGame& game);

 private:
  TCellPos cursor_{0, 0};
  TCellPos held_;
};
