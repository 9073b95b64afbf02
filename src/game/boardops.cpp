// Showing what the play session says an input changed: the pieces and
// frames it names, the keyboard's frames, the counters, the tips, the clean
// picture of a solved puzzle, all in one refresh.
#include "game/quiltraform.h"

void TQuiltraForm::ComputePieceSize() {
  const TSize area = PuzzleArea();
  piece_ = ::ComputePieceSize(area.Width, area.Height, Game().ChosenColumns(), Game().ChosenRows());
}

void TQuiltraForm::ShowChange(const TPlayChange& change) {
  if (change.WholeBoard) DrawAllPieces();
  if ((change.WholeBoard || change.Grids) && PicturesShown()) DrawGrids(false);
  for (const TCellPos& cell : change.Pieces) DrawPiece(cell);
  for (const TCellPos& cell : change.Pieces) DrawCellFrames(cell, false);
  if (Game().InPlayArea(change.Unmarked)) DrawCellFrames(change.Unmarked, false);
  if (Game().InPlayArea(change.Marked)) DrawCellFrames(change.Marked, true);
  for (const TCellPos& cell : change.HandCells) InvalidatePuzzleCell(cell);
  if (change.Position && Game().InPlayArea(session_.Cursor()))
    PositionLabel->SetCaption(PositionText(session_.Cursor().Column, session_.Cursor().Row));
  if (change.Counters) ShowCounters();
  if (change.Tips) {
    SetTips(session_.Tip() == TTip::Load        ? kTipsLoad
            : session_.Tip() == TTip::Randomize ? kTipsRandomize
                                                : kTipsDrag);
  }
  if (change.SolvedPicture && PicturesShown()) ShowSolvedPicture();
  if (!change.Pieces.empty()) UpdatePuzzleCursor(change.Pieces.front());
  if (change.Beep) MessageBeep(MB_OK);
}

void TQuiltraForm::ShowCounters() {
  MovesCountLabel->SetCaption(session_.MovesLabel());
  WrongMovesLabel->SetCaption(session_.WrongMovesLabel());
  RemainingCountLabel->SetCaption(session_.RemainingLabel());
}
