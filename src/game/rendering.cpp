// Drawing the board into the two views. Every operation paints the retained
// bitmaps and invalidates only what it changed.
#include "core/boardpaint.h"
#include "forms/dpi.h"
#include "game/quiltraform.h"

bool TQuiltraForm::PicturesShown() const {
  return PuzzlePictureImage && OriginalPictureImage && PuzzlePictureImage->Visible() &&
         OriginalPictureImage->Visible();
}

void TQuiltraForm::DrawPiece(int homeColumn, int homeRow, bool flipHorizontally,
                             bool flipVertically, int cellColumn, int cellRow) {
  if (!PuzzlePictureImage || !BackupPictureImage) return;
  PaintPiece(Board, BackupPictureImage->Canvas(), PuzzlePictureImage->Canvas(), homeColumn, homeRow,
             flipHorizontally, flipVertically, cellColumn, cellRow);
  PuzzlePictureImage->Invalidate(cellColumn * Board.PieceWidth, cellRow * Board.PieceHeight,
                                 Board.PieceWidth, Board.PieceHeight);
}

void TQuiltraForm::DrawAllPieces() {
  if (!PuzzlePictureImage || !BackupPictureImage) return;
  // Painted as DrawPiece paints, but the view is invalidated once.
  const TPixelView backup = BackupPictureImage->Canvas();
  const TPixelView puzzle = PuzzlePictureImage->Canvas();
  for (int row = 0; row < Board.ResultedRows; ++row)
    for (int column = 0; column < Board.ResultedColumns; ++column) {
      const TCell& cell = Board.Map[column][row];
      PaintPiece(Board, backup, puzzle, cell.C, cell.R, cell.FH, cell.FV, column, row);
    }
  PuzzlePictureImage->InvalidateAll();
}

void TQuiltraForm::DrawCellFrame(TImage* image, int cellWidth, int cellHeight, int column, int row,
                                 bool highlight) {
  if (!image) return;
  const uint32_t color = FrameColor(Board, column, row, highlight, LightGridCheckBox->Checked());
  PaintCellFrame(image->Canvas(), cellWidth, cellHeight, column, row, color, FrameWidth());
  image->Invalidate(column * cellWidth, row * cellHeight, cellWidth, cellHeight);
}

void TQuiltraForm::DrawGrid(TImage* image, int cellWidth, int cellHeight, int rows, int columns) {
  if (!image) return;
  // Painted as DrawCellFrame paints, but the view is invalidated once.
  const TPixelView view = image->Canvas();
  const bool lightGrid = LightGridCheckBox->Checked();
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column)
      PaintCellFrame(view, cellWidth, cellHeight, column, row,
                     FrameColor(Board, column, row, false, lightGrid), FrameWidth());
  image->InvalidateAll();
}

int TQuiltraForm::FrameWidth() const {
  return LineWidthForDpi(Dpi());
}

int TQuiltraForm::OriginalCellWidth() const {
  if (!OriginalPictureImage || Board.ResultedColumns <= 0) return 0;
  return OriginalPictureImage->Canvas().Width / Board.ResultedColumns;
}

int TQuiltraForm::OriginalCellHeight() const {
  if (!OriginalPictureImage || Board.ResultedRows <= 0) return 0;
  return OriginalPictureImage->Canvas().Height / Board.ResultedRows;
}

void TQuiltraForm::DrawOriginalGrid() {
  DrawGrid(OriginalPictureImage, OriginalCellWidth(), OriginalCellHeight(), Board.ResultedRows,
           Board.ResultedColumns);
}

void TQuiltraForm::DrawGrids(bool originalOnly) {
  if (!originalOnly)
    DrawGrid(PuzzlePictureImage, Board.PieceWidth, Board.PieceHeight, Board.ResultedRows,
             Board.ResultedColumns);
  DrawOriginalGrid();
}

void TQuiltraForm::DrawCellFrames(int column, int row, bool highlight) {
  DrawCellFrame(OriginalPictureImage, OriginalCellWidth(), OriginalCellHeight(), column, row,
                highlight);
  DrawCellFrame(PuzzlePictureImage, Board.PieceWidth, Board.PieceHeight, column, row, highlight);
}

void TQuiltraForm::MarkCell(int column, int row) {
  DrawCellFrames(column, row, true);
  Board.MarkedColumn = column;
  Board.MarkedRow = row;
}

void TQuiltraForm::UnmarkCell() {
  DrawCellFrames(Board.MarkedColumn, Board.MarkedRow, false);
}

void TQuiltraForm::ShowSolvedPicture() {
  const TPixelView backup = BackupPictureImage->Canvas();
  CopyBlock(backup, 0, 0, PuzzlePictureImage->Canvas(), 0, 0, backup.Width, backup.Height, false,
            false);
  PuzzlePictureImage->InvalidateAll();
}
