#include "playsession.h"

#include <algorithm>

namespace {

bool Contains(const std::vector<TCellPos>& cells, TCellPos cell) {
  return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

}  // namespace

void TPlaySession::ChooseGrid(int columns, int rows) {
  settings_.Columns = columns;
  settings_.Rows = rows;
  game_.ChooseGrid(columns, rows);
}

TPlayChange TPlaySession::RedrawGrids() {
  TPlayChange change;
  change.Grids = true;
  markShown_ = false;
  return change;
}

std::string TPlaySession::MovesLabel() const {
  return shown_.Counters ? game_.MovesLabel() : "";
}

std::string TPlaySession::WrongMovesLabel() const {
  return shown_.Counters ? game_.WrongMovesLabel() : "";
}

std::string TPlaySession::RemainingLabel() const {
  return shown_.Counters ? game_.RemainingLabel() : "";
}

void TPlaySession::StartHistory() {
  undo_.clear();
  redo_.clear();
  undoCells_ = 0;
  held_ = TCellPos{};
  hoverCell_ = TCellPos{};
  hoverMove_.reset();
  markShown_ = false;
  keys_.Reset(game_);
}

void TPlaySession::NewPicture(int columns, int rows) {
  game_.ResetCounters();
  game_.ResetWrongMoves();
  game_.SetPlayArea(columns, rows);
  game_.PutPiecesHome();
  shown_ = TShown{TTip::Randomize, false};
  StartHistory();
}

void TPlaySession::LoadGame(const TGame& game, bool modified) {
  game_ = game;
  game_.SetModified(modified);
  shown_ = TShown{TTip::Drag, true};
  StartHistory();
}

// --- the pointer ---

TPlayChange TPlaySession::PointerPressed(TView view, TCellPos cell, TPointerButton button,
                                         TShiftState shift) {
  TPlayChange change;
  if (!game_.InPlayArea(cell)) return change;
  if (view == TView::Original) return button == TPointerButton::Right ? Mark(cell) : change;

  // The keyboard goes on from the cell pressed.
  const TCellPos before = keys_.Cursor();
  keys_.PlaceCursor(game_, cell);
  change.CursorCells = {before, cell};
  change.Position = true;
  if (button == TPointerButton::Right) {
    TPlayChange marked = Mark(cell);
    marked.CursorCells = change.CursorCells;
    marked.Position = true;
    return marked;
  }
  if (!game_.CanPickUp(cell)) return change;
  const TShiftState keys = shift.Without(ssLeft);
  if (NoModifierKeys(keys)) {
    if (HeldByKeys()) LetGo(change);
    held_ = cell;
    heldByKeys_ = false;
    hoverCell_ = TCellPos{};
    hoverMove_.reset();
    change.StartDrag = true;
    return change;
  }
  TPlayChange flipped;
  if (OnlyModifierKey(keys, ssCtrl)) flipped = Flip(cell, TFlip::Horizontally);
  if (OnlyModifierKey(keys, ssShift)) flipped = Flip(cell, TFlip::Vertically);
  flipped.CursorCells = change.CursorCells;
  flipped.Position = true;
  return flipped;
}

bool TPlaySession::PointerOver(TView /*view*/, TCellPos cell) {
  if (!Dragging()) return false;
  // The drop is planned once for each cell the piece is over; a release
  // there plays that plan. Both views name the same cells.
  if (cell != hoverCell_) {
    hoverCell_ = cell;
    hoverMove_ = game_.PlanDrop(held_, cell);
  }
  return hoverMove_.has_value();
}

TPlayChange TPlaySession::PointerReleased(TView view, TCellPos cell) {
  if (!Dragging()) return TPlayChange{};
  PointerOver(view, cell);
  return Release(cell);
}

// --- the keyboard ---

TPlayChange TPlaySession::Key(TPlayKey key) {
  TPlayChange change;
  const TCellPos cursor = keys_.Cursor();
  if (!game_.InPlayArea(cursor) || Dragging()) return change;
  // The cursor's keys are its steps, in the same order.
  static_assert(static_cast<int>(TPlayKey::BoardLast) == static_cast<int>(TCursorStep::BoardLast));
  if (key <= TPlayKey::BoardLast) return MoveCursor(static_cast<TCursorStep>(key));
  switch (key) {
    case TPlayKey::PickUpOrDrop:
      if (!HeldByKeys()) {
        if (game_.CanPickUp(cursor)) {
          held_ = cursor;
          heldByKeys_ = true;
          change.HeldCells = {cursor};
        } else {
          change.Beep = true;
        }
        return change;
      }
      // Enter on the piece's own cell puts it back: a drop there moves
      // nothing.
      if (cursor == held_) {
        LetGo(change);
        return change;
      }
      return Release(cursor);
    case TPlayKey::DropHome: {
      if (!HeldByKeys()) return change;
      const TCellPos home{game_.PieceIn(held_).C, game_.PieceIn(held_).R};
      // A piece mirrored in its own cell goes back there.
      if (home == held_) {
        LetGo(change);
        return change;
      }
      return Release(home);
    }
    case TPlayKey::PutBack:
      if (HeldByKeys()) LetGo(change);
      return change;
    case TPlayKey::MirrorHorizontally:
      return Flip(cursor, TFlip::Horizontally);
    case TPlayKey::MirrorVertically:
      return Flip(cursor, TFlip::Vertically);
    case TPlayKey::Mark:
      return Mark(cursor);
    default:
      return change;
  }
}

TPlayChange TPlaySession::MoveCursor(TCursorStep step) {
  TPlayChange change;
  const TCellPos before = keys_.Cursor();
  keys_.MoveCursor(game_, step);
  change.CursorCells = {before, keys_.Cursor()};
  change.Position = true;
  return change;
}

// --- what the hand does ---

void TPlaySession::LetGo(TPlayChange& change) {
  if (held_ != TCellPos{} && heldByKeys_) change.HeldCells.push_back(held_);
  held_ = TCellPos{};
  hoverCell_ = TCellPos{};
  hoverMove_.reset();
}

TPlayChange TPlaySession::Release(TCellPos target) {
  TPlayChange change;
  const std::optional<TMove> move =
      Dragging() && target == hoverCell_ ? hoverMove_ : game_.PlanDrop(held_, target);
  if (!move) {
    // A refused drop from the keyboard keeps the piece held.
    if (heldByKeys_)
      change.Beep = true;
    else
      LetGo(change);
    return change;
  }
  TStep step = Begin();
  const TCell to = game_.PieceIn(move->To), from = game_.PieceIn(move->From);
  const std::vector<bool> home = HomeOf({move->To, move->From});
  change.Outcome = game_.Play(*move);
  if (change.Outcome == TDropOutcome::Refused) {
    LetGo(change);
    return change;
  }
  LetGo(change);
  step.Cells = {{move->To, to, game_.PieceIn(move->To)}, {move->From, from, game_.PieceIn(move->From)}};
  if (change.Outcome == TDropOutcome::Solved) {
    shown_.Tip = TTip::Load;
    change.Tips = true;
    change.SolvedPicture = true;
  }
  Finish(step);
  Record(std::move(step));
  change.Pieces = {move->To, move->From};
  change.OriginalFrames = FramesChanged(change.Pieces, home);
  change.Counters = true;
  NoteRedrawn(change);
  return change;
}

TPlayChange TPlaySession::Flip(TCellPos cell, TFlip axis) {
  TPlayChange change;
  if (!game_.CanFlip(cell)) return change;
  TStep step = Begin();
  const TCell before = game_.PieceIn(cell);
  const std::vector<bool> home = HomeOf({cell});
  game_.Flip(cell, axis);
  step.Cells = {{cell, before, game_.PieceIn(cell)}};
  Finish(step);
  Record(std::move(step));
  // A held piece mirrored home can no longer be picked up.
  if (held_ != TCellPos{} && !game_.CanPickUp(held_)) LetGo(change);
  change.Pieces = {cell};
  change.OriginalFrames = FramesChanged(change.Pieces, home);
  NoteRedrawn(change);
  return change;
}

TPlayChange TPlaySession::Mark(TCellPos cell) {
  TPlayChange change;
  change.Unmarked = marked_;
  change.Marked = cell;
  marked_ = cell;
  markShown_ = true;
  return change;
}

// --- commands ---

TPlayChange TPlaySession::Randomize(const TRandomSource& random) {
  TPlayChange change;
  if (Dragging()) return change;
  TStep step = Begin();
  std::vector<TCellChange> cells;
  for (int row = 0; row < game_.Rows(); ++row)
    for (int column = 0; column < game_.Columns(); ++column)
      cells.push_back({{column, row}, game_.PieceIn({column, row}), {}});
  game_.Shuffle(settings_.AllowFlip, random);
  for (TCellChange& cell : cells) cell.After = game_.PieceIn(cell.Cell);
  step.Cells = std::move(cells);
  shown_ = TShown{game_.Solved() ? TTip::Load : TTip::Drag, true};
  LetGo(change);
  keys_.Reset(game_);
  Finish(step);
  Record(std::move(step));
  change.Outcome = game_.Solved() ? TDropOutcome::Solved : TDropOutcome::Moved;
  change.WholeBoard = true;
  change.SolvedPicture = game_.Solved();
  change.Counters = true;
  change.Tips = true;
  markShown_ = false;
  return change;
}

TPlayChange TPlaySession::Undo() {
  if (!CanUndo()) return TPlayChange{};
  TStep step = std::move(undo_.back());
  undo_.pop_back();
  undoCells_ -= step.Cells.size();
  TPlayChange change = Walk(step, true);
  redo_.push_back(std::move(step));
  return change;
}

TPlayChange TPlaySession::Redo() {
  if (!CanRedo()) return TPlayChange{};
  TStep step = std::move(redo_.back());
  redo_.pop_back();
  TPlayChange change = Walk(step, false);
  undoCells_ += step.Cells.size();
  undo_.push_back(std::move(step));
  return change;
}

TPlayChange TPlaySession::Walk(const TStep& step, bool backwards) {
  TPlayChange change;
  const bool wasSolved = game_.Solved();
  std::vector<TCellPos> cells;
  for (const TCellChange& cell : step.Cells) cells.push_back(cell.Cell);
  const std::vector<bool> home = HomeOf(cells);
  TBoard& board = game_.board_;
  for (const TCellChange& cell : step.Cells)
    board.Map[cell.Cell.Column][cell.Cell.Row] = backwards ? cell.Before : cell.After;
  board.MovesCount = backwards ? step.MovesBefore : step.MovesAfter;
  board.WrongMoves = backwards ? step.WrongBefore : step.WrongAfter;
  board.GameModified = true;
  shown_ = backwards ? step.ShownBefore : step.ShownAfter;
  LetGo(change);

  const bool solved = game_.Solved();
  change.Outcome = solved ? TDropOutcome::Solved : TDropOutcome::Moved;
  // The clean picture covers every frame: leaving it redraws the board.
  change.WholeBoard = (wasSolved && !solved) || step.Cells.size() > 2;
  if (!change.WholeBoard) {
    change.Pieces = cells;
    change.OriginalFrames = FramesChanged(cells, home);
  }
  change.SolvedPicture = solved && !wasSolved;
  change.Counters = true;
  change.Tips = true;
  NoteRedrawn(change);
  return change;
}

// --- the history ---

TPlaySession::TStep TPlaySession::Begin() const {
  TStep step;
  step.MovesBefore = game_.Moves();
  step.WrongBefore = game_.WrongMoves();
  step.ShownBefore = shown_;
  return step;
}

void TPlaySession::Finish(TStep& step) {
  step.MovesAfter = game_.Moves();
  step.WrongAfter = game_.WrongMoves();
  step.ShownAfter = shown_;
}

void TPlaySession::Record(TStep step) {
  undoCells_ += step.Cells.size();
  undo_.push_back(std::move(step));
  redo_.clear();
  // A long session forgets its oldest steps: about 30 MB of them at most.
  constexpr size_t kMaxCells = 1000000;
  size_t forgotten = 0;
  while (undoCells_ > kMaxCells && forgotten + 1 < undo_.size())
    undoCells_ -= undo_[forgotten++].Cells.size();
  undo_.erase(undo_.begin(), undo_.begin() + static_cast<std::ptrdiff_t>(forgotten));
}

std::vector<bool> TPlaySession::HomeOf(const std::vector<TCellPos>& cells) const {
  std::vector<bool> home;
  for (const TCellPos& cell : cells) home.push_back(game_.IsHome(cell));
  return home;
}

std::vector<TCellPos> TPlaySession::FramesChanged(const std::vector<TCellPos>& cells,
                                                  const std::vector<bool>& wasHome) const {
  std::vector<TCellPos> changed;
  for (size_t n = 0; n < cells.size(); ++n)
    if (game_.IsHome(cells[n]) != wasHome[n] || (markShown_ && cells[n] == marked_))
      changed.push_back(cells[n]);
  return changed;
}

void TPlaySession::NoteRedrawn(const TPlayChange& change) {
  if (change.WholeBoard || change.SolvedPicture || Contains(change.Pieces, marked_))
    markShown_ = false;
}
