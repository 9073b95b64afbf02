#include "control.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <stdexcept>

#include "application.h"
#include "dpi.h"
#include "form.h"
#include "platform/handles.h"

namespace {

const char* const kControlProperty = "QuiltraControl";

HINSTANCE Instance() {
  return GetModuleHandleA(nullptr);
}

}  // namespace

const char* RegisterControlClass(const char* name, UINT classStyle, HCURSOR cursor) {
  static std::map<std::string, bool> registered;
  if (!registered[name]) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = TControl::WindowProc;
    windowClass.hInstance = Instance();
    windowClass.hCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    windowClass.hIcon = LoadIconA(Instance(), "MAINICON");
    RegisterClassExA(&windowClass);
    registered[name] = true;
  }
  return name;
}

TShiftState ShiftStateFromMouse(WPARAM wParam) {
  uint8_t flags = 0;
  if (wParam & MK_SHIFT) flags |= ssShift;
  if (wParam & MK_CONTROL) flags |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) flags |= ssAlt;
  if (wParam & MK_LBUTTON) flags |= ssLeft;
  if (wParam & MK_RBUTTON) flags |= ssRight;
  if (wParam & MK_MBUTTON) flags |= ssMiddle;
  return TShiftState(flags);
}

TShiftState CurrentShiftState() {
  uint8_t flags = 0;
  if (GetKeyState(VK_SHIFT) < 0) flags |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) flags |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) flags |= ssAlt;
  return TShiftState(flags);
}

TControl::TControl(TControl* parent, const TControlStyle& style, const std::string& caption,
                   int left, int top, int width, int height)
    : parent_(parent) {
  if (style.ClassName) Create(style, caption, left, top, width, height);
}

void TControl::Create(const TControlStyle& style, const std::string& caption, int left, int top,
                      int width, int height, HWND owner) {
  // Ids start above the dialog keys' IDOK and IDCANCEL. Notifications from
  // controls are routed by their window, never by id, so an id that grows
  // into the menu's range over many picture loads is harmless.
  static UINT nextId = 100;
  HWND parentWindow = parent_ ? parent_->Handle() : owner;
  DWORD windowStyle = style.Style | (parent_ ? WS_CHILD : 0);
  HMENU id = parent_ ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nextId++)) : nullptr;
  if (parent_) {
    // A child's figures are its designed place.
    designed_ = RECT{left, top, left + width, top + height};
    placedByDesign_ = true;
    const RECT place = DesignedBounds();
    left = place.left;
    top = place.top;
    width = place.right - place.left;
    height = place.bottom - place.top;
  }
  handle_ = CreateWindowExA(style.ExStyle, style.ClassName, caption.c_str(), windowStyle, left, top,
                            width, height, parentWindow, id, Instance(), this);
  if (!handle_)
    throw std::runtime_error("Failed to create window of class " + std::string(style.ClassName) +
                             ".");
  if (FromHandle(handle_) != this) {
    // A system class: subclass it so that its messages reach us too.
    SetPropA(handle_, kControlProperty, this);
    systemProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  }
  if (parent_ && parent_->designedFont_) SetFont(parent_->designedFont_);
}

TControl::~TControl() {
  children_.clear();
  // A hint shown for a control that goes (a view replaced by a new picture)
  // goes with it.
  if (Application && Application->HintControl() == this) Application->CancelHint();
  if (handle_) {
    HWND window = handle_;
    if (Dragging()) Application->EndDrag();
    handle_ = nullptr;
    if (systemProc_) {
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
      RemovePropA(window, kControlProperty);
    } else {
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    }
    DestroyWindow(window);
  }
}

TForm* TControl::OwnerForm() {
  TControl* control = this;
  while (control->parent_) control = control->parent_;
  return dynamic_cast<TForm*>(control);
}

void TControl::Remove(TControl* child) {
  auto found = std::find_if(children_.begin(), children_.end(),
                            [child](const auto& owned) { return owned.get() == child; });
  if (found != children_.end()) children_.erase(found);
}

TControl* TControl::FromHandle(HWND window) {
  if (!window) return nullptr;
  if (auto* control = static_cast<TControl*>(GetPropA(window, kControlProperty))) return control;
  if (GetClassLongPtrA(window, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(WindowProc))
    return reinterpret_cast<TControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  return nullptr;
}

std::string TControl::Caption() const {
  int length = GetWindowTextLengthA(handle_);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(handle_, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}

void TControl::SetCaption(const std::string& caption) {
  if (Caption() != caption) SetWindowTextA(handle_, caption.c_str());
}

namespace {

RECT WindowRectInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  HWND parent = GetParent(window);
  if (parent && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

int TControl::Left() const {
  return WindowRectInParent(handle_).left;
}
int TControl::Top() const {
  return WindowRectInParent(handle_).top;
}
int TControl::Width() const {
  RECT rect = WindowRectInParent(handle_);
  return rect.right - rect.left;
}
int TControl::Height() const {
  RECT rect = WindowRectInParent(handle_);
  return rect.bottom - rect.top;
}
int TControl::ClientWidth() const {
  RECT rect{};
  GetClientRect(handle_, &rect);
  return rect.right;
}
int TControl::ClientHeight() const {
  RECT rect{};
  GetClientRect(handle_, &rect);
  return rect.bottom;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  placedByDesign_ = false;
  SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::Resize(int width, int height) {
  SetWindowPos(handle_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TControl::Dpi() const {
  const TControl* control = this;
  while (control->parent_) control = control->parent_;
  const auto* form = dynamic_cast<const TForm*>(control);
  return form ? form->FormDpi() : kDesignDpi;
}

int TControl::Scale(int value) const {
  return ScaleToDpi(value, Dpi());
}

RECT TControl::DesignedBounds() const {
  // Edges are scaled, not sizes, so that neighbours stay neighbours.
  const int dpi = Dpi();
  return RECT{ScaleToDpi(designed_.left, dpi), ScaleToDpi(designed_.top, dpi),
              ScaleToDpi(designed_.right, dpi), ScaleToDpi(designed_.bottom, dpi)};
}

void TControl::ApplyDpi() {
  if (designedFont_) {
    font_ = Application ? Application->FontForDpi(designedFont_, Dpi()) : designedFont_;
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  if (placedByDesign_) {
    const RECT place = DesignedBounds();
    SetWindowPos(handle_, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  DpiChanged();
  for (auto& child : children_) child->ApplyDpi();
}

bool TControl::Visible() const {
  return (GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
}
void TControl::SetVisible(bool visible) {
  ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}
bool TControl::Enabled() const {
  return IsWindowEnabled(handle_) != FALSE;
}
void TControl::SetEnabled(bool enabled) {
  EnableWindow(handle_, enabled);
}
void TControl::SetFocus() {
  ::SetFocus(handle_);
}
bool TControl::Focused() const {
  return GetFocus() == handle_;
}

void TControl::SetFont(HFONT font) {
  designedFont_ = font;
  font_ = Application && font ? Application->FontForDpi(font, Dpi()) : font;
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  for (auto& child : children_) child->SetFont(font);
}

void TControl::SetTabOrder(const std::vector<TControl*>& order) {
  HWND previous = HWND_TOP;
  for (TControl* control : order) {
    SetWindowPos(control->Handle(), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control->Handle();
  }
}

void TControl::ChangeCursor(HCURSOR cursor) {
  if (Cursor == cursor) return;
  Cursor = cursor;
  // Windows asks for the cursor before it reports a movement, so a cursor
  // chosen by the movement handler would otherwise show one movement late.
  POINT point{};
  if (!cursor || Dragging() || !GetCursorPos(&point) || WindowFromPoint(point) != handle_) return;
  ::SetCursor(cursor);
}

void TControl::BeginDrag() {
  Application->BeginDrag(this);
}
bool TControl::Dragging() const {
  return Application && Application->DragSource() == this;
}

HBRUSH TControl::ChildColor(TControl* /*child*/, HDC dc) {
  // Labels, check boxes and read-only text boxes take the dialog's colour.
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT TControl::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  if (systemProc_) return CallWindowProcA(systemProc_, handle_, message, wParam, lParam);
  return DefWindowProcA(handle_, message, wParam, lParam);
}

bool TControl::DispatchMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  TShiftState shift = ShiftStateFromMouse(wParam);
  switch (message) {
    case WM_MOUSEMOVE:
      if (Dragging()) {
        Application->DragMove();
        return true;
      }
      Application->NoteMouseOver(this);
      if (OnMouseMove) OnMouseMove(shift, x, y);
      return false;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      if (message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK)
        shift = shift.With(ssDouble);
      TMouseButton button =
          (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK)   ? TMouseButton::Left
          : (message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK) ? TMouseButton::Right
                                                                       : TMouseButton::Middle;
      // Like any pressed control, keep the pointer until the button is up.
      if (!systemProc_) SetCapture(handle_);
      if (OnMouseDown) OnMouseDown(button, shift, x, y);
      return !systemProc_;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      if (Dragging()) {
        Application->DragDrop();
        return true;
      }
      if (!systemProc_ && GetCapture() == handle_ &&
          !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
        ReleaseCapture();
      TMouseButton button = message == WM_LBUTTONUP   ? TMouseButton::Left
                            : message == WM_RBUTTONUP ? TMouseButton::Right
                                                      : TMouseButton::Middle;
      if (OnMouseUp) OnMouseUp(button, shift, x, y);
      return false;
    }
    default:
      return false;
  }
}

LRESULT TControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (DispatchMouse(message, wParam, lParam)) return 0;
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // Alt+letter still reaches the menu after the handler saw it.
      if (OnKeyDown) OnKeyDown(static_cast<WORD>(wParam), CurrentShiftState());
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (OnKeyUp) OnKeyUp(static_cast<WORD>(wParam), CurrentShiftState());
      break;
    case WM_SETFOCUS:
      if (OnEnter) OnEnter();
      break;
    case WM_KILLFOCUS:
      if (OnExit) OnExit();
      break;
    case WM_PAINT:
      if (systemProc_) break;
      {
        const TPaintScope paint(handle_);
        Paint(paint.Dc(), paint.Area());
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (Dragging() && reinterpret_cast<HWND>(lParam) != handle_) Application->EndDrag();
      break;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == handle_) {
        if (Dragging()) return TRUE;
        if (Cursor) {
          ::SetCursor(Cursor);
          return TRUE;
        }
      }
      break;
    case WM_COMMAND:
      if (lParam) {
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
          child->HandleCommand(HIWORD(wParam));
          return 0;
        }
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (HBRUSH brush =
              ChildColor(FromHandle(reinterpret_cast<HWND>(lParam)), reinterpret_cast<HDC>(wParam)))
        return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_NCDESTROY: {
      LRESULT result = DefaultHandling(message, wParam, lParam);
      handle_ = nullptr;
      return result;
    }
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK TControl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* control = static_cast<TControl*>(create->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    if (control) control->handle_ = window;
  }
  auto* control = reinterpret_cast<TControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!control || control->handle_ != window)
    return DefWindowProcA(window, message, wParam, lParam);
  return control->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK TControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* control = static_cast<TControl*>(GetPropA(window, kControlProperty));
  if (!control || control->handle_ != window) {
    WNDPROC fallback = control ? control->systemProc_ : nullptr;
    return fallback ? CallWindowProcA(fallback, window, message, wParam, lParam)
                    : DefWindowProcA(window, message, wParam, lParam);
  }
  return control->Dispatch(message, wParam, lParam);
}

LRESULT TControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  // No exception may cross the system's callback: it goes to the
  // application's unhandled-exception event instead.
  try {
    return HandleMessage(message, wParam, lParam);
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e.what());
  } catch (...) {
    if (Application) Application->HandleException("Unknown exception.");
  }
  return 0;
}
