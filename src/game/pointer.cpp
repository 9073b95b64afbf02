// Playing with the pointer: dragging pieces, mirroring them with Ctrl- and
// Shift-clicks, marking cells, the piece hint and the position label. The
// handlers turn positions into cells and hand them to the play session,
// which decides what a press or a drop means. Every movement also stirs the
// random generator.
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
  return TCellPos{column >= Game().Columns() ? Game().Columns() - 1 : column,
                  row >= Game().Rows() ? Game().Rows() - 1 : row};
}

void TQuiltraForm::UpdatePuzzleCursor(TCellPos cell) {
  // The system's shared cursors, loaded once.
  static const HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
  static const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  PuzzlePictureImage->ChangeCursor(Game().CanPickUp(cell) ? hand : arrow);
}

void TQuiltraForm::PuzzlePictureImageMouseMove(TShiftState shift, int x, int y) {
  const TCellPos cell = PuzzleCellAt(x, y);
  PuzzlePictureImage->ShowHint = false;
  if (Game().InPlayArea(cell)) {
    UpdatePuzzleCursor(cell);
    PositionLabel->SetCaption(PositionText(cell.Column, cell.Row));
    if (OnlyModifierKeys(shift, ssCtrl, ssAlt)) {
      PuzzlePictureImage->ShowHint = true;
      PuzzlePictureImage->Hint = PieceHintText(Game().PieceIn(cell));
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
  if (button != TMouseButton::Left && button != TMouseButton::Right) return;
  const TPlayChange change = session_.PointerPressed(
      TView::Puzzle, PuzzleCellAt(x, y),
      button == TMouseButton::Left ? TPointerButton::Left : TPointerButton::Right, shift);
  ShowChange(change);
  if (change.StartDrag) PuzzlePictureImage->BeginDrag();
}

void TQuiltraForm::PuzzlePictureImageDragOver(TControl* /*source*/, int x, int y, bool& accept) {
  accept = session_.PointerOver(TView::Puzzle, PuzzleCellAt(x, y));
}

void TQuiltraForm::PuzzlePictureImageDragDrop(TControl* /*source*/, int x, int y) {
  ShowChange(session_.PointerReleased(TView::Puzzle, PuzzleCellAt(x, y)));
}

void TQuiltraForm::PuzzlePictureImageEndDrag() {
  // Released where no view takes it: nothing moves, and nothing is held.
  ShowChange(session_.PointerReleased(TView::Puzzle, TCellPos{}));
}

void TQuiltraForm::OriginalPictureImageMouseMove(TShiftState /*shift*/, int x, int y) {
  // Past the view's right or bottom edge (a button held) is outside it too,
  // though a cell lookup there would give the last column or row.
  const bool inView = x < OriginalPictureImage->Width() && y < OriginalPictureImage->Height();
  const TCellPos cell = OriginalCellAt(x, y);
  PositionLabel->SetCaption(inView && Game().InPlayArea(cell) ? PositionText(cell.Column, cell.Row)
                                                              : "");
  Random.FeedPointerPosition(x, y);
}

void TQuiltraForm::OriginalPictureImageMouseDown(TMouseButton button, TShiftState shift, int x,
                                                 int y) {
  if (button != TMouseButton::Right) return;
  ShowChange(session_.PointerPressed(TView::Original, OriginalCellAt(x, y), TPointerButton::Right,
                                     shift));
}

void TQuiltraForm::OriginalPictureImageDragOver(TControl* /*source*/, int x, int y, bool& accept) {
  accept = session_.PointerOver(TView::Original, OriginalCellAt(x, y));
}

void TQuiltraForm::OriginalPictureImageDragDrop(TControl* /*source*/, int x, int y) {
  ShowChange(session_.PointerReleased(TView::Original, OriginalCellAt(x, y)));
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
  PuzzlePictureImage->OnEndDrag = [this] { PuzzlePictureImageEndDrag(); };
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
