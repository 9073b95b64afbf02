#include "boardpaint.h"

uint32_t FrameColor(const TBoard& board, int column, int row, bool highlight, bool lightGrid) {
  if (board.IsCellCorrect(column, row)) return kHomeFrameColor;
  if (highlight) return kMarkedFrameColor;
  return lightGrid ? kLightFrameColor : kDarkFrameColor;
}

void PaintPiece(const TBoard& board, TPieceSize piece, const TPixelView& backup,
                const TPixelView& puzzle, int homeColumn, int homeRow, bool flipHorizontally,
                bool flipVertically, int cellColumn, int cellRow) {
  const int width = piece.Width;
  const int height = piece.Height;
  if (board.IsCellCorrect(homeColumn, homeRow)) flipHorizontally = flipVertically = false;
  CopyBlock(backup, homeColumn * width, homeRow * height, puzzle, cellColumn * width,
            cellRow * height, width, height, flipHorizontally, flipVertically);
}

void PaintCellFrame(const TPixelView& view, int cellWidth, int cellHeight, int column, int row,
                    uint32_t colorRef, int lineWidth) {
  DrawFrame(view, column * cellWidth, row * cellHeight, cellWidth, cellHeight,
            PixelFromColorRef(colorRef), lineWidth);
}
