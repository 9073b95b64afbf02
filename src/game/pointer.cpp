// Playing with the pointer: dragging pieces, mirroring them with Ctrl- and
// Shift-clicks, marking cells, the piece hint and the position label. Every
// movement also stirs the random generator.
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

int TQuiltraForm::OriginalColumnAt(int x) const {
  const int column = CellAt(x, OriginalCellWidth());
  return column >= Board.ResultedColumns ? Board.ResultedColumns - 1 : column;
}

int TQuiltraForm::OriginalRowAt(int y) const {
  const int row = CellAt(y, OriginalCellHeight());
  return row >= Board.ResultedRows ? Board.ResultedRows - 1 : row;
}

void TQuiltraForm::UpdatePuzzleCursor(int column, int row) {
  PuzzlePictureImage->ChangeCursor(
      LoadCursor(nullptr, Board.IsCellCorrect(column, row) ? IDC_ARROW : IDC_HAND));
}

void TQuiltraForm::PuzzlePictureImageMouseMove(TShiftState shift, int x, int y) {
  const int column = CellAt(x, Board.PieceWidth);
  const int row = CellAt(y, Board.PieceHeight);
  PuzzlePictureImage->ShowHint = false;
  if (Board.InPlayArea(column, row)) {
    UpdatePuzzleCursor(column, row);
    PositionLabel->SetCaption(PositionText(column, row));
    if (OnlyModifierKeys(shift, ssCtrl, ssAlt)) {
      PuzzlePictureImage->ShowHint = true;
      PuzzlePictureImage->Hint = PieceHintText(Board.Map[column][row]);
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
  const int column = CellAt(x, Board.PieceWidth);
  const int row = CellAt(y, Board.PieceHeight);
  if (!Board.InPlayArea(column, row)) return;
  if (button == TMouseButton::Left) {
    Board.DragColumn = column;
    Board.DragRow = row;
    if (Board.IsCellCorrect(column, row)) return;
    const TShiftState keys = shift.Without(ssLeft);
    if (NoModifierKeys(keys)) {
      PuzzlePictureImage->BeginDrag();
      return;
    }
    if (OnlyModifierKey(keys, ssCtrl)) FlipPieceHorizontally(Board.DragColumn, Board.DragRow);
    if (OnlyModifierKey(keys, ssShift)) FlipPieceVertically(Board.DragColumn, Board.DragRow);
    Board.DragColumn = Board.DragRow = -1;
  } else if (button == TMouseButton::Right) {
    UnmarkCell();
    MarkCell(column, row);
  }
}

void TQuiltraForm::PuzzlePictureImageDragOver(TControl* /*source*/, int x, int y, bool& accept) {
  accept = Board.AcceptsDrop(CellAt(x, Board.PieceWidth), CellAt(y, Board.PieceHeight));
}

void TQuiltraForm::PuzzlePictureImageDragDrop(TControl* /*source*/, int x, int y) {
  DropDraggedPiece(CellAt(x, Board.PieceWidth), CellAt(y, Board.PieceHeight));
}

void TQuiltraForm::DropDraggedPiece(int column, int row) {
  if (!Board.AcceptsDrop(column, row) || !Board.InPlayArea(Board.DragColumn, Board.DragRow)) return;
  DropOnCell(column, row);
  // Only the dragged piece is judged, not the one sent back.
  if (!Board.IsCellCorrect(column, row)) {
    ++Board.WrongMoves;
    ShowWrongMovesCount();
  }
}

void TQuiltraForm::OriginalPictureImageMouseMove(TShiftState /*shift*/, int x, int y) {
  // Past the view's right or bottom edge (a button held) is outside it too,
  // though a cell lookup there would give the last column or row.
  const bool inView = x < OriginalPictureImage->Width() && y < OriginalPictureImage->Height();
  const int column = OriginalColumnAt(x);
  const int row = OriginalRowAt(y);
  PositionLabel->SetCaption(inView && Board.InPlayArea(column, row) ? PositionText(column, row)
                                                                    : "");
  Random.FeedPointerPosition(x, y);
}

void TQuiltraForm::OriginalPictureImageMouseDown(TMouseButton button, TShiftState /*shift*/, int x,
                                                 int y) {
  if (button != TMouseButton::Right) return;
  const int column = OriginalColumnAt(x);
  const int row = OriginalRowAt(y);
  if (!Board.InPlayArea(column, row)) return;
  UnmarkCell();
  MarkCell(column, row);
}

void TQuiltraForm::OriginalPictureImageDragOver(TControl* /*source*/, int x, int y, bool& accept) {
  accept = Board.AcceptsDrop(OriginalColumnAt(x), OriginalRowAt(y));
}

void TQuiltraForm::OriginalPictureImageDragDrop(TControl* /*source*/, int x, int y) {
  DropDraggedPiece(OriginalColumnAt(x), OriginalRowAt(y));
}

void TQuiltraForm::PuzzlePictureGroupBoxMouseMove(TShiftState /*shift*/, int x, int y) {
  Random.FeedPointerPosition(x, y);
}

void TQuiltraForm::OriginalPictureGroupBoxMouseMove(TShiftState /*shift*/, int x, int y) {
  Random.FeedPointerPosition(x, y);
}

void TQuiltraForm::AttachImageHandlers() {
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
