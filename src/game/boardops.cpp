// Showing what the play session says an input changed: the pieces and
// frames it names, the keyboard's frames, the counters, the tips, the clean
// picture of a solved puzzle, all in one refresh.
#include <algorithm>

#include "game/quiltraform.h"

void TQuiltraForm::ComputePieceSize() {
  const TSize area = PuzzleArea();
  piece_ = ::ComputePieceSize(area.Width, area.Height, Game().ChosenColumns(), Game().ChosenRows());
}

void TQuiltraForm::ShowChange(const TPlayChange& change) {
  if (change.WholeBoard) DrawAllPieces();
  if ((change.WholeBoard || change.Grids) && PicturesShown()) DrawGrids(false);
  std::vector<RECT> puzzleCells, originalCells;
  for (const TCellPos& cell : change.Pieces) {
    const bool frame = std::find(change.OriginalFrames.begin(), change.OriginalFrames.end(),
                                 cell) != change.OriginalFrames.end();
    DrawCell(cell, frame, puzzleCells, originalCells);
  }
  if (Game().InPlayArea(change.Unmarked)) DrawCellFrames(change.Unmarked, false);
  if (Game().InPlayArea(change.Marked)) DrawCellFrames(change.Marked, true);
  // The cursor shows only while the view has the focus; a held piece's band
  // always.
  if (!change.CursorCells.empty() && PuzzlePictureImage && PuzzlePictureImage->Focused()) {
    for (const TCellPos& cell : change.CursorCells)
      if (Game().InPlayArea(cell)) puzzleCells.push_back(PuzzleCellRect(cell));
    FollowCursorWithCaret();
  }
  for (const TCellPos& cell : change.HeldCells)
    if (Game().InPlayArea(cell)) puzzleCells.push_back(PuzzleCellRect(cell));
  if (PuzzlePictureImage) PuzzlePictureImage->Invalidate(puzzleCells);
  if (OriginalPictureImage) OriginalPictureImage->Invalidate(originalCells);
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
