// The thin form layer: every control is a real child window whose window text
// is its caption. TControl is the one small base; events are plain
// std::function members.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/shiftstate.h"

enum class TMouseButton { Left, Right, Middle };

class TControl;
class TForm;

using TMouseEvent = std::function<void(TShiftState shift, int x, int y)>;
using TMouseButtonEvent = std::function<void(TMouseButton button, TShiftState shift, int x, int y)>;
using TDragOverEvent = std::function<void(TControl* source, int x, int y, bool& accept)>;
using TDragDropEvent = std::function<void(TControl* source, int x, int y)>;
using TNotifyEvent = std::function<void()>;
// A key pressed or released (a virtual-key code) while the control has the
// focus, with the modifier keys held.
using TKeyEvent = std::function<void(WORD key, TShiftState shift)>;

struct TControlStyle {
  const char* ClassName;  // a system class, or one of ours
  DWORD Style = 0;
  DWORD ExStyle = 0;
};

class TControl {
 public:
  TControl(TControl* parent, const TControlStyle& style, const std::string& caption, int left,
           int top, int width, int height);
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  HWND Handle() const { return handle_; }
  TControl* Parent() const { return parent_; }
  TForm* OwnerForm();

  // Children are owned by their parent and destroyed with it.
  template <class Control, class... Args>
  Control* Add(Args&&... args) {
    auto child = std::make_unique<Control>(this, std::forward<Args>(args)...);
    Control* raw = child.get();
    children_.push_back(std::move(child));
    return raw;
  }
  void Remove(TControl* child);
  const std::vector<std::unique_ptr<TControl>>& Children() const { return children_; }

  std::string Caption() const;
  virtual void SetCaption(const std::string& caption);

  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  int ClientWidth() const;
  int ClientHeight() const;
  // The program places the control in pixels of the screen; from then on the
  // form no longer places it when its DPI changes.
  void SetBounds(int left, int top, int width, int height);
  void SetSize(int width, int height) { SetBounds(Left(), Top(), width, height); }

  // The place a control is created with is its designed place, in pixels at
  // 96 DPI: the form layer lays it out at its form's DPI, and again when the
  // form moves to a monitor of another DPI.
  int Dpi() const;
  int Scale(int value) const;
  // The designed place at the form's DPI, even where the program has placed
  // the control since.
  RECT DesignedBounds() const;

  bool Visible() const;
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  void SetFocus();
  bool Focused() const;
  // A font as designed, at 96 DPI; the control shows it at its form's DPI.
  void SetFont(HFONT font);
  HFONT Font() const { return font_; }  // the font as shown

  // Tab order among the focusable children: the order of this list.
  void SetTabOrder(const std::vector<TControl*>& order);

  // Hints: shown by the application's hint window while the pointer rests.
  std::string Hint;
  bool ShowHint = false;

  // Cursor shown over the control; null keeps the class cursor.
  HCURSOR Cursor = nullptr;
  // A new cursor shows at once when the pointer is over the control, not
  // only at its next movement.
  void ChangeCursor(HCURSOR cursor);

  TMouseEvent OnMouseMove;
  TMouseButtonEvent OnMouseDown;
  TMouseButtonEvent OnMouseUp;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  // The control's own drag ended, with a drop or without.
  TNotifyEvent OnEndDrag;
  TNotifyEvent OnClick;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  // The control receives and loses the keyboard focus.
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // Starts dragging this control at once (no minimum distance).
  void BeginDrag();
  bool Dragging() const;

  // The control a window belongs to, if it is one of ours.
  static TControl* FromHandle(HWND window);
  // The message dispatcher of every control window; catches every exception.
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // The one overridable step: a control sees its own messages first.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Every window of our own classes paints here, inside the one paint scope
  // of its WM_PAINT; area is the part to repaint. The background is erased
  // by then (WM_ERASEBKGND). System classes keep their own painting.
  virtual void Paint(HDC /*dc*/, const RECT& /*area*/) {}
  // A notification (WM_COMMAND code) reflected back from the parent.
  virtual void HandleCommand(WORD /*code*/) {}
  // Background for a child static, button or read-only edit; null for default.
  virtual HBRUSH ChildColor(TControl* child, HDC dc);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
  void Create(const TControlStyle& style, const std::string& caption, int left, int top, int width,
              int height, HWND owner = nullptr);
  // Sizes the window and keeps its designed place (controls that size
  // themselves to their text).
  void Resize(int width, int height);
  // The form's DPI changed and the control has its new font and place.
  virtual void DpiChanged() {}
  // Lays the control and its children out at the form's DPI again.
  void ApplyDpi();

 private:
  friend class TForm;
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  bool DispatchMouse(UINT message, WPARAM wParam, LPARAM lParam);

  TControl* parent_;
  HWND handle_ = nullptr;
  WNDPROC systemProc_ = nullptr;  // the system class's procedure we subclassed
  HFONT font_ = nullptr;
  HFONT designedFont_ = nullptr;
  RECT designed_{};  // left, top, right, bottom at 96 DPI
  bool placedByDesign_ = false;
  std::vector<std::unique_ptr<TControl>> children_;
};

// Registers one of our window classes once; returns its name.
const char* RegisterControlClass(const char* name, UINT classStyle, HCURSOR cursor);

// The shift state Windows reports with a mouse message, plus Alt.
TShiftState ShiftStateFromMouse(WPARAM wParam);
// The shift state of the keyboard right now.
TShiftState CurrentShiftState();
