// Drawing the board into the two views. Every operation paints the retained
// bitmaps and invalidates only what it changed.
#include "core/boardpaint.h"
#include "forms/dpi.h"
#include "game/quiltraform.h"

bool TQuiltraForm::PicturesShown() const {
  return PuzzlePictureImage && OriginalPictureImage && PuzzlePictureImage->Visible() &&
         OriginalPictureImage->Visible();
}

void TQuiltraForm::DrawPiece(TCellPos cell) {
  if (!PuzzlePictureImage || !BackupPictureImage) return;
  const TCell& piece = Game().PieceIn(cell);
  PaintPiece(Game().Board(), piece_, BackupPictureImage->Canvas(), PuzzlePictureImage->Canvas(),
             piece.C, piece.R, piece.FH, piece.FV, cell.Column, cell.Row);
  PuzzlePictureImage->Invalidate(cell.Column * piece_.Width, cell.Row * piece_.Height, piece_.Width,
                                 piece_.Height);
}

void TQuiltraForm::DrawCell(TCellPos cell, bool originalFrame, std::vector<RECT>& puzzleCells,
                            std::vector<RECT>& originalCells) {
  if (!PuzzlePictureImage || !BackupPictureImage || !OriginalPictureImage) return;
  // Painted as DrawPiece and DrawCellFrames paint; the caller invalidates.
  const TCell& piece = Game().PieceIn(cell);
  PaintPiece(Game().Board(), piece_, BackupPictureImage->Canvas(), PuzzlePictureImage->Canvas(),
             piece.C, piece.R, piece.FH, piece.FV, cell.Column, cell.Row);
  const uint32_t color =
      FrameColor(Game().Board(), cell.Column, cell.Row, false, session_.Settings().LightGrid);
  PaintCellFrame(PuzzlePictureImage->Canvas(), piece_.Width, piece_.Height, cell.Column, cell.Row,
                 color, FrameWidth());
  puzzleCells.push_back(PuzzleCellRect(cell));
  if (!originalFrame) return;
  const int width = OriginalCellWidth(), height = OriginalCellHeight();
  PaintCellFrame(OriginalPictureImage->Canvas(), width, height, cell.Column, cell.Row, color,
                 FrameWidth());
  originalCells.push_back(RECT{cell.Column * width, cell.Row * height, (cell.Column + 1) * width,
                               (cell.Row + 1) * height});
}

RECT TQuiltraForm::PuzzleCellRect(TCellPos cell) const {
  return RECT{cell.Column * piece_.Width, cell.Row * piece_.Height,
              (cell.Column + 1) * piece_.Width, (cell.Row + 1) * piece_.Height};
}

void TQuiltraForm::DrawAllPieces() {
  if (!PuzzlePictureImage || !BackupPictureImage) return;
  // Painted as DrawPiece paints, but the view is invalidated once.
  const TPixelView backup = BackupPictureImage->Canvas();
  const TPixelView puzzle = PuzzlePictureImage->Canvas();
  for (int row = 0; row < Game().Rows(); ++row)
    for (int column = 0; column < Game().Columns(); ++column) {
      const TCell& cell = Game().PieceIn({column, row});
      PaintPiece(Game().Board(), piece_, backup, puzzle, cell.C, cell.R, cell.FH, cell.FV, column,
                 row);
    }
  PuzzlePictureImage->InvalidateAll();
}

void TQuiltraForm::DrawCellFrame(TImage* image, int cellWidth, int cellHeight, int column, int row,
                                 bool highlight) {
  if (!image) return;
  const uint32_t color =
      FrameColor(Game().Board(), column, row, highlight, session_.Settings().LightGrid);
  PaintCellFrame(image->Canvas(), cellWidth, cellHeight, column, row, color, FrameWidth());
  image->Invalidate(column * cellWidth, row * cellHeight, cellWidth, cellHeight);
}

void TQuiltraForm::DrawGrid(TImage* image, int cellWidth, int cellHeight, int rows, int columns) {
  if (!image) return;
  // Painted as DrawCellFrame paints, but the view is invalidated once.
  const TPixelView view = image->Canvas();
  const bool lightGrid = session_.Settings().LightGrid;
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column)
      PaintCellFrame(view, cellWidth, cellHeight, column, row,
                     FrameColor(Game().Board(), column, row, false, lightGrid), FrameWidth());
  image->InvalidateAll();
}

int TQuiltraForm::FrameWidth() const {
  return LineWidthForDpi(Dpi());
}

int TQuiltraForm::OriginalCellWidth() const {
  if (!OriginalPictureImage || Game().Columns() <= 0) return 0;
  return OriginalPictureImage->Canvas().Width / Game().Columns();
}

int TQuiltraForm::OriginalCellHeight() const {
  if (!OriginalPictureImage || Game().Rows() <= 0) return 0;
  return OriginalPictureImage->Canvas().Height / Game().Rows();
}

void TQuiltraForm::DrawOriginalGrid() {
  DrawGrid(OriginalPictureImage, OriginalCellWidth(), OriginalCellHeight(), Game().Rows(),
           Game().Columns());
}

void TQuiltraForm::DrawGrids(bool originalOnly) {
  if (!originalOnly)
    DrawGrid(PuzzlePictureImage, piece_.Width, piece_.Height, Game().Rows(), Game().Columns());
  DrawOriginalGrid();
}

void TQuiltraForm::DrawCellFrames(TCellPos cell, bool highlight) {
  DrawCellFrame(OriginalPictureImage, OriginalCellWidth(), OriginalCellHeight(), cell.Column,
                cell.Row, highlight);
  DrawCellFrame(PuzzlePictureImage, piece_.Width, piece_.Height, cell.Column, cell.Row, highlight);
}

void TQuiltraForm::ShowSolvedPicture() {
  const TPixelView backup = BackupPictureImage->Canvas();
  CopyBlock(backup, 0, 0, PuzzlePictureImage->Canvas(), 0, 0, backup.Width, backup.Height, false,
            false);
  PuzzlePictureImage->InvalidateAll();
}
