#include "layout.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace test {

namespace {

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
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (_stricmp(className, "Button") != 0) return -1;
  return GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
}

bool IsGroupBox(HWND window) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  return _stricmp(className, "TGroupBox") == 0 || ButtonType(window) == BS_GROUPBOX;
}

bool Encloses(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// A caption that wraps or runs past its control's room.
void CheckCaption(HWND control, const TLayoutRules& rules, std::ostream& faults) {
  char className[64] = {};
  GetClassNameA(control, className, sizeof className);
  const LONG type = ButtonType(control);
  const bool label = _stricmp(className, "TLabel") == 0 || _stricmp(className, "Static") == 0;
  const bool check = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                     type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
  const bool button = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
  if (!label && !check && !button) return;
  HFONT font = rules.FontOf ? rules.FontOf(control) : nullptr;
  if (!font) font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  if (!font) return;
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
      if (!IntersectRect(&common, &around, &other)) continue;
      if (IsGroupBox(children[i]) && Encloses(place, other)) continue;
      if (IsGroupBox(children[j]) && Encloses(other, place)) continue;
      faults << Name(children[i]) << " and " << Name(children[j])
             << (rules.Gap ? ": closer than the gap\n" : ": overlap\n");
    }
    if (rules.Captions) CheckCaption(children[i], rules, faults);
    CheckChildren(children[i], rules, faults);
  }
}

// Whether the keyboard reaches the control: buttons, fields and lists.
bool TakesInput(HWND window) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  const bool field = _stricmp(className, "Edit") == 0 || _stricmp(className, "ComboBox") == 0 ||
                     _stricmp(className, "ListBox") == 0;
  return (field || (ButtonType(window) >= 0 && !IsGroupBox(window))) && IsWindowEnabled(window);
}

void CollectInputs(HWND parent, std::vector<HWND>& inputs) {
  for (HWND child : ShownChildren(parent)) {
    if (TakesInput(child))
      inputs.push_back(child);
    else
      CollectInputs(child, inputs);
  }
}

// Tab visits every control that takes input, along rows and then down.
void CheckTabOrder(HWND window, std::ostream& faults) {
  std::vector<HWND> visited;
  HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
  for (HWND from = first; from && visited.size() < 200;) {
    visited.push_back(from);
    HWND to = GetNextDlgTabItem(window, from, FALSE);
    if (!to || to == first) break;
    RECT a{}, b{};
    GetWindowRect(from, &a);
    GetWindowRect(to, &b);
    const bool below = b.top >= a.bottom;
    const bool rightInRow = b.top < a.bottom && a.top < b.bottom && b.left >= a.right;
    if (!below && !rightInRow)
      faults << "Tab goes from " << Name(from) << " back to " << Name(to) << "\n";
    from = to;
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

std::string RowFaults(const std::vector<HWND>& row, bool centred) {
  std::ostringstream faults;
  if (row.empty()) return "an empty row\n";
  const RECT first = PlaceInParent(row.front());
  RECT last = first;
  for (size_t i = 1; i < row.size(); ++i) {
    const RECT place = PlaceInParent(row[i]);
    if (GetParent(row[i]) != GetParent(row.front()))
      faults << Name(row[i]) << ": not beside " << Name(row.front()) << "\n";
    if (place.top != first.top || place.bottom - place.top != first.bottom - first.top)
      faults << Name(row[i]) << ": not in the row of " << Name(row.front()) << "\n";
    if (place.left < last.right) faults << Name(row[i]) << ": not right of its neighbour\n";
    last = place;
  }
  RECT client{};
  GetClientRect(GetParent(row.front()), &client);
  if (centred && std::abs(first.left - (client.right - last.right)) > 1)
    faults << "the row of " << Name(row.front()) << " is not centred: " << first.left
           << " to its left, " << client.right - last.right << " to its right\n";
  return faults.str();
}

std::string ColumnFaults(const std::vector<HWND>& column, bool flush) {
  std::ostringstream faults;
  if (column.empty()) return "an empty column\n";
  const RECT first = PlaceInParent(column.front());
  RECT above{first.left, first.top, first.right, first.top};
  for (HWND control : column) {
    const RECT place = PlaceInParent(control);
    if (GetParent(control) != GetParent(column.front()) || place.left != first.left ||
        (flush && place.right != first.right))
      faults << Name(control) << ": not in the column of " << Name(column.front()) << "\n";
    if (place.top < above.bottom) faults << Name(control) << ": not below its neighbour\n";
    above = place;
  }
  return faults.str();
}

}  // namespace test
