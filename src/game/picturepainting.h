// Laying a decoded picture out in a view: the puzzle view cut into whole
// pieces, and the original-picture view sized to divide evenly into the grid.
// Each replaces the view it is given by a new one in the container.
#pragma once

#include "forms/image.h"

class TPictureSource;

// Returns the grid's columns and rows (each 1 to the maximum).
void PaintPictureToGrid(TControl* container, int left, int top, TImage*& view,
                        const TPictureSource& picture, bool enlarge, int areaWidth, int areaHeight,
                        int pieceWidth, int pieceHeight, int maxColumns, int maxRows, int& columns,
                        int& rows);

void PaintPictureUsingGrid(TControl* container, int left, int top, TImage*& view,
                           const TPictureSource& picture, bool enlarge, int areaWidth,
                           int areaHeight, int columns, int rows);
