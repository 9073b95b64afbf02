// The keyboard's cursor on the grid. Like the pointer, it only names cells;
// the play session (playsession.h) holds the piece picked up with it and the
// game's rules decide what a pick-up or a drop means.
#pragma once

#include "game.h"

enum class TCursorStep { Left, Right, Up, Down, RowFirst, RowLast, BoardFirst, BoardLast };

class TKeyboardPlay {
 public:
  TCellPos Cursor() const { return cursor_; }
  // One step in the game's grid; the cursor stops at the edges.
  void MoveCursor(const TGame& game, TCursorStep step);
  // The cursor to a cell of the play area (where the pointer pressed).
  void PlaceCursor(const TGame& game, TCellPos cell);
  // A new grid: the cursor stays inside it.
  void Reset(const TGame& game);

 private:
  TCellPos cursor_{0, 0};
};
