// What the player is doing beside the game: the piece picked up (by the
// pointer now) and the marked cell. The window keeps it with the views; the
// game itself never holds it.
#pragma once

#include <optional>

#include "game.h"

class TPlayState {
 public:
  // A press on a cell: it becomes the source whatever it holds; true when
  // its piece can be picked up and moved.
  bool PickUp(const TGame& game, TCellPos cell) {
    source_ = cell;
    return game.CanPickUp(cell);
  }
  // Nothing is held any more.
  void Cancel() { source_ = TCellPos{}; }
  TCellPos Source() const { return source_; }
  // The held piece dropped on target, as the game would play it.
  std::optional<TMove> PlanDrop(const TGame& game, TCellPos target) const {
    return game.PlanDrop(source_, target);
  }

  // Marks a cell and gives the one marked before, whose frame goes back to
  // normal. The first mark replaces the top-left cell's.
  TCellPos Mark(TCellPos cell) {
    const TCellPos before = marked_;
    marked_ = cell;
    return before;
  }
  TCellPos Marked() const { return marked_; }

 private:
  TCellPos source_;
  TCellPos marked_{0, 0};
};
