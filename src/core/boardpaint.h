// Painting the board into the views' pixels: pieces copied from the backup
// picture, mirrored as their flags say, and cell frames.
#pragma once

#include <cstdint>

#include "board.h"
#include "pixels.h"

// Frame colours, as Windows colour values (red in the low byte).
constexpr uint32_t kHomeFrameColor = 65535;      // yellow: the cell holds its own piece
constexpr uint32_t kMarkedFrameColor = 255;      // red: the marked cell
constexpr uint32_t kLightFrameColor = 12632256;  // silver: ordinary frame, light grid
constexpr uint32_t kDarkFrameColor = 0;          // black: ordinary frame

uint32_t FrameColor(const TBoard& board, int column, int row, bool highlight, bool lightGrid);

// The piece whose home is (homeColumn, homeRow) into the cell (cellColumn,
// cellRow) of the puzzle view. A piece in place is never shown mirrored.
void PaintPiece(const TBoard& board, TPieceSize piece, const TPixelView& backup,
                const TPixelView& puzzle, int homeColumn, int homeRow, bool flipHorizontally,
                bool flipVertically, int cellColumn, int cellRow);

// The frame on the outermost pixels of one cell of a view, lineWidth pixels
// wide.
void PaintCellFrame(const TPixelView& view, int cellWidth, int cellHeight, int column, int row,
                    uint32_t colorRef, int lineWidth = 1);
