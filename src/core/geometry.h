// Size arithmetic: fitting a picture into a box and placing the main window
// on the work area.
#pragma once

#include <cstdint>

struct TSize {
  int32_t Width = 0;
  int32_t Height = 0;
  bool operator==(const TSize& other) const {
    return Width == other.Width && Height == other.Height;
  }
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  bool operator==(const TRect& other) const {
    return Left == other.Left && Top == other.Top && Width == other.Width && Height == other.Height;
  }
};

// The largest size of the source's proportions inside the box; never larger
// than the source unless enlarging is allowed. 0 by 0 for an empty source.
TSize FitSizeToBox(int32_t sourceWidth, int32_t sourceHeight, int32_t boxWidth, int32_t boxHeight,
                   bool enlarge);

// Where ArrangeWindow puts the window and its two picture areas.
struct TWindowArrangement {
  TRect Window;            // outer rectangle, on the work area's own origin
  TRect OriginalGroupBox;  // in client coordinates
  TRect OriginalImage;     // in its group box
  TRect PuzzleGroupBox;
  TRect PuzzleImage;
};

// The designed figures, at the window's DPI.
struct TWindowTemplate {
  int32_t MinWidth = 760;
  int32_t MinHeight = 540;
  int32_t Margin = 5;           // around and between the boxes and the views in them
  int32_t NonClientWidth = 0;   // window width minus client width
  int32_t NonClientHeight = 0;  // window height minus client height (caption, menu, borders)
  int32_t MainPanelWidth = 340;
  TRect OriginalGroupBox{5, 189, 340, 285};
  TRect OriginalImage{5, 20, 330, 255};
  TRect PuzzleGroupBox{350, 5, 405, 470};
  TRect PuzzleImage{5, 20, 395, 440};
};

// The designed figures (given at 96 DPI) at another DPI; the non-client sizes
// are measured, not scaled, and stay.
TWindowTemplate ScaleWindowTemplate(const TWindowTemplate& layout, int32_t dpi);

// The window on a work area: 95 % of it, at least the minimum, centred. A
// minimum larger than the work area is cut to it, frames aside, so the client
// area and the title bar stay on the screen.
TWindowArrangement ArrangeWindowOn(int32_t workWidth, int32_t workHeight,
                                   const TWindowTemplate& layout);
// The rectangle moved the least to lie within the area; one larger than the
// area keeps its left and top edges in it.
TRect KeepWithin(TRect rect, const TRect& area);
// The two picture areas in the client area a window has (Window is left
// empty).
TWindowArrangement ArrangeClientArea(int32_t clientWidth, int32_t clientHeight,
                                     const TWindowTemplate& layout);
