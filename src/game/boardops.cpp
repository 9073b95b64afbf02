// The board operations of the main window: the game plays moves and flips,
// the window repaints what they changed and shows the counters.
#include "game/quiltraform.h"

void TQuiltraForm::ComputePieceSize() {
  const TSize area = PuzzleArea();
  piece_ = ::ComputePieceSize(area.Width, area.Height, game_.ChosenColumns(), game_.ChosenRows());
}

void TQuiltraForm::DropHeldPiece(TCellPos target) {
  const std::optional<TMove> move = play_.PlanDrop(game_, target);
  if (!move) return;
  ShowMove(*move, game_.Play(*move));
}

void TQuiltraForm::ShowMove(const TMove& move, TDropOutcome outcome) {
  keys_.Follow(game_, move);
  DrawPiece(move.To);
  DrawPiece(move.From);
  DrawCellFrames(move.To, false);
  DrawCellFrames(move.From, false);
  ShowMovesCount();
  UpdatePuzzleCursor(move.To);
  if (outcome == TDropOutcome::MovedWrongly) ShowWrongMovesCount();
}

void TQuiltraForm::FlipPiece(TCellPos cell, TFlip axis) {
  if (!game_.Flip(cell, axis)) return;
  keys_.Check(game_);
  DrawPiece(cell);
  DrawCellFrames(cell, false);
}

void TQuiltraForm::ShowMovesCount() {
  MovesCountLabel->SetCaption(game_.MovesLabel());
  RemainingCountLabel->SetCaption(game_.RemainingLabel());
  if (!game_.Solved()) return;
  SetTips(kTipsLoad);
  if (PicturesShown()) ShowSolvedPicture();
}

void TQuiltraForm::ShowWrongMovesCount() {
  WrongMovesLabel->SetCaption(game_.WrongMovesLabel());
}

void TQuiltraForm::ResetGameCounters() {
  game_.ResetCounters();
  MovesCountLabel->SetCaption("");
  RemainingCountLabel->SetCaption("");
}
