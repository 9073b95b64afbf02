// Laying a decoded picture out in a view: the puzzle view cut into whole
// pieces, and the original-picture view sized to divide evenly into the grid.
// Each replaces the view it is given by a new one in the container.
#pragma once

#include "forms/image.h"

#include "core/board.h"

class TPictureSource;

// Where a view goes in its container, and the area its picture is fitted
// into (enlarged to fit when it is smaller).
struct TViewPlace {
  TControl* Container;
  int Left;
  int Top;
  int AreaWidth;
  int AreaHeight;
  bool Enlarge;
};

// A grid's columns and rows.
struct TGridSize {
  int Columns;
  int Rows;
};

// The puzzle view, cut into whole pieces; returns the grid (each way 1 to the
// maximum).
TGridSize PaintPictureToGrid(const TViewPlace& place, TImage*& view, const TPictureSource& picture,
                             TPieceSize piece, TGridSize maximum);

// The original view, sized to divide evenly into the grid.
void PaintPictureUsingGrid(const TViewPlace& place, TImage*& view, const TPictureSource& picture,
                           TGridSize grid);
