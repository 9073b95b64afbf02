#include "layout.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace test {

namespace {

bool OfClass(HWND window, const char* name) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  return _stricmp(className, name) == 0;
}

std::string Name(HWND window) {
  char className[64] = {}, caption[256] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, caption, sizeof caption);
  return std::string(className) + " \"" + caption + "\"";
}

// Shown by its own style, so that a window not yet shown is checked too.
std::vector<HWND> ShownChildren(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) children.push_back(child);
  return children;
}

LONG ButtonType(HWND window) {
  return OfClass(window, "Button") ? GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK : -1;
}

bool IsGroupBox(HWND window) {
  return OfClass(window, "TGroupBox") || ButtonType(window) == BS_GROUPBOX;
}

bool Encloses(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// A caption that wraps or runs past its control's room.
void CheckCaption(HWND control, const TLayoutRules& rules, std::ostream& faults) {
  const LONG type = ButtonType(control);
  const bool label = OfClass(control, "TLabel") || OfClass(control, "Static");
  const bool check = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                     type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
  HFONT font = rules.FontOf ? rules.FontOf(control) : nullptr;
  if (!font) font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  if (!font || !(label || check || type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) return;
  char caption[1024] = {};
  GetWindowTextA(control, caption, sizeof caption);
  RECT place{};
  GetClientRect(control, &place);
  const int width = place.right - (check ? rules.CheckMark : 0);
  RECT room{0, 0, width, 0};
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, font);
  DrawTextA(dc, caption, -1, &room, DT_CALCRECT | DT_WORDBREAK | (label ? DT_NOPREFIX : 0));
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  if (room.right > width || room.bottom > place.bottom)
    faults << Name(control) << ": its caption needs " << room.right << " x " << room.bottom
           << " where it has " << width << " x " << place.bottom << "\n";
}

void CheckChildren(HWND parent, const TLayoutRules& rules, std::ostream& faults) {
  RECT client{};
  GetClientRect(parent, &client);
  InflateRect(&client, -rules.Gap, -rules.Gap);
  const std::vector<HWND> children = ShownChildren(parent);
  for (size_t i = 0; i < children.size(); ++i) {
    const RECT place = PlaceInParent(children[i]);
    if (!Encloses(client, place))
      faults << Name(children[i]) << ": not inside its parent " << Name(parent) << "\n";
    if (rules.Grid && (place.left % rules.Grid || place.top % rules.Grid))
      faults << Name(children[i]) << ": off the grid at " << place.left << ", " << place.top
             << "\n";
    for (size_t j = i + 1; j < children.size(); ++j) {
      const RECT other = PlaceInParent(children[j]);
      RECT around = place, common{};
      InflateRect(&around, rules.Gap, rules.Gap);
      if (!IntersectRect(&common, &around, &other) ||
          (IsGroupBox(children[i]) && Encloses(place, other)) ||
          (IsGroupBox(children[j]) && Encloses(other, place)))
        continue;
      faults << Name(children[i]) << " and " << Name(children[j])
             << (rules.Gap ? ": closer than the gap\n" : ": overlap\n");
    }
    if (rules.Captions) CheckCaption(children[i], rules, faults);
    CheckChildren(children[i], rules, faults);
  }
}

// The buttons, fields and lists the keyboard should reach.
void CollectInputs(HWND parent, std::vector<HWND>& inputs) {
  for (HWND child : ShownChildren(parent)) {
    const bool input = OfClass(child, "Edit") || OfClass(child, "ComboBox") ||
                       OfClass(child, "ListBox") || (ButtonType(child) >= 0 && !IsGroupBox(child));
    if (input && IsWindowEnabled(child)) inputs.push_back(child);
    if (!input) CollectInputs(child, inputs);
  }
}

// Tab visits every control that takes input, along rows and then down.
void CheckTabOrder(HWND window, std::ostream& faults) {
  std::vector<HWND> visited;
  HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
  for (HWND from = first, to; from && visited.size() < 200; from = to) {
    visited.push_back(from);
    to = GetNextDlgTabItem(window, from, FALSE);
    if (!to || to == first) break;
    RECT a{}, b{};
    GetWindowRect(from, &a);
    GetWindowRect(to, &b);
    const bool rightInRow = b.top < a.bottom && a.top < b.bottom && b.left >= a.right;
    if (b.top < a.bottom && !rightInRow)
      faults << "Tab goes from " << Name(from) << " back to " << Name(to) << "\n";
  }
  std::vector<HWND> inputs;
  CollectInputs(window, inputs);
  for (HWND input : inputs)
    if (std::find(visited.begin(), visited.end(), input) == visited.end())
      faults << "Tab never reaches " << Name(input) << "\n";
}

}  // namespace

RECT PlaceInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string LayoutFaults(HWND window, const TLayoutRules& rules) {
  std::ostringstream faults;
  CheckChildren(window, rules, faults);
  if (rules.TabOrderReads) CheckTabOrder(window, faults);
  return faults.str();
}

namespace {

// Controls of one parent one after another, sharing edges with the first:
// along a row its top and bottom, down a column its left (and right) edge.
std::string LineFaults(const std::vector<HWND>& line, bool row, bool flush, bool centred) {
  std::ostringstream faults;
  const RECT first = PlaceInParent(line.at(0));
  LONG end = row ? first.left : first.top;
  for (HWND control : line) {
    const RECT place = PlaceInParent(control);
    const bool aligned = row ? place.top == first.top && place.bottom == first.bottom
                             : place.left == first.left && (!flush || place.right == first.right);
    if (GetParent(control) != GetParent(line[0]) || !aligned ||
        (row ? place.left : place.top) < end)
      faults << Name(control) << ": out of the line of " << Name(line[0]) << "\n";
    end = row ? place.right : place.bottom;
  }
  RECT client{};
  GetClientRect(GetParent(line[0]), &client);
  if (centred && std::abs(first.left - (client.right - end)) > 1)
    faults << "the row of " << Name(line[0]) << " is not centred: " << first.left
           << " to its left, " << client.right - end << " to its right\n";
  return faults.str();
}

}  // namespace

std::string RowFaults(const std::vector<HWND>& row, bool centred) {
  return LineFaults(row, true, false, centred);
}

std::string ColumnFaults(const std::vector<HWND>& column, bool flush) {
  return LineFaults(column, false, flush, false);
}

}  // namespace test
