// Playing with the pointer: dragging pieces, mirroring them with Ctrl- and
// Shift-clicks, marking cells, the piece hint and the position label. The
// handlers turn positions into cells; the game decides what a press or a
// drop means. Every movement also stirs the random generator.
#include "forms/application.h"
#include "game/quiltraform.h"
#include "platform/random.h"

namespace {

// While a button is held the views keep receiving movements from outside
// them; a cell index is never computed from negative coordinates.
int CellAt(int position, int cellSize) {
  return (position < 0 || cellSize <= 0) ? -1 : position / cellSize;
}

}  // namespace

TCellPos TQuiltraForm::PuzzleCellAt(int x, int y) const {
  return TCellPos{CellAt(x, piece_.Width), CellAt(y, piece_.Height)};
}

TCellPos TQuiltraForm::OriginalCellAt(int x, int y) const {
  const int column = CellAt(x, OriginalCellWidth());
  const int row = CellAt(y, OriginalCellHeight());
  return TCellPos{column >= game_.Columns() ? game_.Columns() - 1 : column,
                  row >= game_.Rows() ? game_.Rows() - 1 : row};
}

void TQuiltraForm::UpdatePuzzleCursor(TCellPos cell) {
  PuzzlePictureImage->ChangeCursor(
      LoadCursor(nullptr, game_.CanPickUp(cell) ? IDC_HAND : IDC_ARROW));
}

void TQuiltraForm::PuzzlePictureImageMouseMove(TShiftState shift, int x, int y) {
  const TCellPos cell = PuzzleCellAt(x, y);
  PuzzlePictureImage->ShowHint = false;
  if (game_.InPlayArea(cell)) {
    UpdatePuzzleCursor(cell);
    PositionLabel->SetCaption(PositionText(cell.Column, cell.Row));
    if (OnlyModifierKeys(shift, ssCtrl, ssAlt)) {
      PuzzlePictureImage->ShowHint = true;
      PuzzlePictureImage->Hint = PieceHintText(game_.PieceIn(cell));
      POINT cursor{};
      GetCursorPos(&cursor);
      Application->ActivateHint(PuzzlePictureImage, cursor);
    }
  } else {
    PositionLabel->SetCaption("");
  }
  if (!PuzzlePictureImage->ShowHint) Application->NoteMouseOver(PuzzlePictureImage);
  Random.FeedPointerPosition(x, y);
}

void TQuiltraForm::PuzzlePictureImageMouseDown(TMouseButton button, TShiftState shift, int x,
                                               int y) {
  const TCellPos cell = PuzzleCellAt(x, y);
  if (!game_.InPlayArea(cell)) return;
  // The keyboard goes on from the cell pressed.
  const TCellPos before = keys_.Cursor();
  keys_.PlaceCursor(game_, cell);
  MoveKeyboardCursor(before);
  if (button == TMouseButton::Left) {
    if (!play_.PickUp(game_, cell)) return;
    const TShiftState keys = shift.Without(ssLeft);
    if (NoModifierKeys(keys)) {
      PuzzlePictureImage->BeginDrag();
      return;
    }
    if (OnlyModifierKey(keys, ssCtrl)) FlipPiece(cell, TFlip::Horizontally);
    if (OnlyModifierKey(keys, ssShift)) FlipPiece(cell, TFlip::Vertically);
    play_.Cancel();
  } else if (button == TMouseButton::Right) {
    MarkCell(cell);
  }
}

void TQuiltraForm::PuzzlePictureImageDragOver(TControl* /*source*/, int x, int y, bool& accept) {
  accept = play_.PlanDrop(game_, PuzzleCellAt(x, y)).has_value();
}

void TQuiltraForm::PuzzlePictureImageDragDrop(TControl* /*source*/, int x, int y) {
  DropHeldPiece(PuzzleCellAt(x, y));
}

void TQuiltraForm::OriginalPictureImageMouseMove(TShiftState /*shift*/, int x, int y) {
  // Past the view's right or bottom edge (a button held) is outside it too,
  // though a cell lookup there would give the last column or row.
  const bool inView = x < OriginalPictureImage->Width() && y < OriginalPictureImage->Height();
  const TCellPos cell = OriginalCellAt(x, y);
  PositionLabel->SetCaption(inView && game_.InPlayArea(cell) ? PositionText(cell.Column, cell.Row)
                                                             : "");
  Random.FeedPointerPosition(x, y);
}

void TQuiltraForm::OriginalPictureImageMouseDown(TMouseButton button, TShiftState /*shift*/, int x,
                                                 int y) {
  if (button != TMouseButton::Right) return;
  const TCellPos cell = OriginalCellAt(x, y);
  if (game_.InPlayArea(cell)) MarkCell(cell);
}

void TQuiltraForm::OriginalPictureImageDragOver(TControl* /*source*/, int x, int y, bool& accept) {
  accept = play_.PlanDrop(game_, OriginalCellAt(x, y)).has_value();
}

void TQuiltraForm::OriginalPictureImageDragDrop(TControl* /*source*/, int x, int y) {
  DropHeldPiece(OriginalCellAt(x, y));
}

void TQuiltraForm::PuzzlePictureGroupBoxMouseMove(TShiftState /*shift*/, int x, int y) {
  Random.FeedPointerPosition(x, y);
}

void TQuiltraForm::OriginalPictureGroupBoxMouseMove(TShiftState /*shift*/, int x, int y) {
  Random.FeedPointerPosition(x, y);
}

void TQuiltraForm::AttachImageHandlers() {
  AttachKeyboardHandlers();
  PuzzlePictureImage->OnMouseMove = [this](TShiftState shift, int x, int y) {
    PuzzlePictureImageMouseMove(shift, x, y);
  };
  PuzzlePictureImage->OnMouseDown = [this](TMouseButton button, TShiftState shift, int x, int y) {
    PuzzlePictureImageMouseDown(button, shift, x, y);
  };
  PuzzlePictureImage->OnDragOver = [this](TControl* source, int x, int y, bool& accept) {
    PuzzlePictureImageDragOver(source, x, y, accept);
  };
  PuzzlePictureImage->OnDragDrop = [this](TControl* source, int x, int y) {
    PuzzlePictureImageDragDrop(source, x, y);
  };
  OriginalPictureImage->OnMouseMove = [this](TShiftState shift, int x, int y) {
    OriginalPictureImageMouseMove(shift, x, y);
  };
  OriginalPictureImage->OnMouseDown = [this](TMouseButton button, TShiftState shift, int x, int y) {
    OriginalPictureImageMouseDown(button, shift, x, y);
  };
  OriginalPictureImage->OnDragOver = [this](TControl* source, int x, int y, bool& accept) {
    OriginalPictureImageDragOver(source, x, y, accept);
  };
  OriginalPictureImage->OnDragDrop = [this](TControl* source, int x, int y) {
    OriginalPictureImageDragDrop(source, x, y);
  };
}
