// The rules a window's layout keeps, checked on its real windows rather than
// restating where each control stands: every control inside its parent's
// client area and apart from its neighbours, captions that fit their
// controls, a tab order that reads like the window, rows and columns that
// line up.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace test {

// A window's place in its parent's client area.
RECT PlaceInParent(HWND window);

struct TLayoutRules {
  // The least room between neighbours, and between a control and its
  // parent's edges (0: they may touch, never overlap).
  int Gap = 0;
  // The design grid in pixels every control's left and top edges lie on
  // (0: none).
  int Grid = 0;
  // Captions can be measured only in the process that made their fonts.
  bool Captions = true;
  // The font a control shows its caption in; where it gives none, the
  // control's WM_GETFONT; where there is none, captions are not measured.
  std::function<HFONT(HWND)> FontOf = nullptr;
  // The room a check box's mark takes from its caption.
  int CheckMark = 16;
  // Tab goes from left to right along a row, then down, as one reads.
  bool TabOrderReads = false;
};

// What breaks the rules among the shown children of the window, at any
// depth, one line each; empty when nothing does. A group box may hold a
// neighbour it encloses.
std::string LayoutFaults(HWND window, const TLayoutRules& rules = {});

// Controls of one parent standing in one row: the same top and height, left
// to right; centred: as much room to their left as to their right (within a
// pixel of rounding).
std::string RowFaults(const std::vector<HWND>& row, bool centred = false);
// Controls of one parent in one column: the same left edge, and with
// flush the same right edge, top to bottom.
std::string ColumnFaults(const std::vector<HWND>& column, bool flush = false);

}  // namespace test
