#include "form.h"

#include "application.h"

#include "core/geometry.h"
#include "controls.h"
#include "dpi.h"
#include "platform/threadwindows.h"

namespace {

DWORD FormStyle(const TFormStyle& style) {
  // A single fixed border: the user cannot resize the window.
  DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (style.MinimizeBox) windowStyle |= WS_MINIMIZEBOX;
  return windowStyle;
}

}  // namespace

RECT WorkAreaOf(HWND window) {
  RECT work{};
  HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  // The primary monitor's as the system parameter gives it: the same on
  // Windows, and what a test can set.
  if (monitor && GetMonitorInfoA(monitor, &info) && !(info.dwFlags & MONITORINFOF_PRIMARY))
    return info.rcWork;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

TForm::TForm(const TFormStyle& style, const std::string& caption, TForm* owner)
    : TControl(nullptr, TControlStyle{nullptr}, caption, 0, 0, 0, 0) {
  style_ = FormStyle(style);
  const char* className = RegisterControlClass(style.ClassName, CS_DBLCLKS, nullptr);
  Create(TControlStyle{className, style_, WS_EX_CONTROLPARENT}, caption, CW_USEDEFAULT,
         CW_USEDEFAULT, 100, 100, owner ? owner->Handle() : nullptr);
  dpi_ = WindowDpi(Handle());
  designedClientWidth_ = style.ClientWidth;
  designedClientHeight_ = style.ClientHeight;
  SetClientSize(Scale(style.ClientWidth), Scale(style.ClientHeight));
  if (Application && !Application->MainForm) Application->MainForm = this;
}

TForm::~TForm() {
  if (Application && Application->MainForm == this) Application->MainForm = nullptr;
}

TMainMenu* TForm::CreateMenu() {
  menu_ = std::make_unique<TMainMenu>();
  return menu_.get();
}

void TForm::AttachMenu() {
  if (!menu_) return;
  int width = ClientWidth(), height = ClientHeight();
  HMENU old = GetMenu(Handle());
  SetMenu(Handle(), menu_->Build());
  if (old) DestroyMenu(old);
  SetClientSize(width, height);
}

void TForm::SetClientSize(int width, int height) {
  RECT rect{0, 0, width, height};
  AdjustWindowRectForDpi(rect, style_, GetMenu(Handle()) != nullptr,
                         static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE)), dpi_);
  SetWindowPos(Handle(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A long menu bar may wrap, and frames may differ from what the system
  // said: measure and correct once.
  const int missingWidth = width - ClientWidth();
  const int missingHeight = height - ClientHeight();
  if (missingWidth != 0 || missingHeight != 0)
    SetWindowPos(Handle(), nullptr, 0, 0, rect.right - rect.left + missingWidth,
                 rect.bottom - rect.top + missingHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::ChangeDpi(int dpi, const RECT& windowRect) {
  dpi_ = dpi > 0 ? dpi : kDesignDpi;
  ApplyDpi();
  SetWindowPos(Handle(), nullptr, windowRect.left, windowRect.top,
               windowRect.right - windowRect.left, windowRect.bottom - windowRect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (OnDpiChanged) {
    OnDpiChanged();
  } else {
    SetClientSize(Scale(designedClientWidth_), Scale(designedClientHeight_));
  }
}

bool TForm::FollowMonitorDpi() {
  const int dpi = WindowDpi(Handle());
  if (dpi == dpi_) return false;
  RECT window{};
  GetWindowRect(Handle(), &window);
  ChangeDpi(dpi, window);
  return true;
}

void TForm::CenterOnScreen() {
  PlaceCentredOnScreen();
  // A form made on one monitor and shown on another takes that monitor's
  // DPI, and is centred again at its new size.
  if (FollowMonitorDpi()) PlaceCentredOnScreen();
}

void TForm::CenterOn(TForm* other) {
  PlaceCentredOn(other);
  if (FollowMonitorDpi()) PlaceCentredOn(other);
}

void TForm::PlaceCentredOnScreen() {
  // A dialog shows on its owner's monitor.
  HWND owner = GetWindow(Handle(), GW_OWNER);
  const RECT work = WorkAreaOf(owner ? owner : Handle());
  SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left - Width()) / 2,
               work.top + (work.bottom - work.top - Height()) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::PlaceCentredOn(TForm* other) {
  if (!other || !other->Handle() || !IsWindowVisible(other->Handle()) ||
      IsIconic(other->Handle())) {
    PlaceCentredOnScreen();
    return;
  }
  RECT rect{};
  GetWindowRect(other->Handle(), &rect);
  const TRect centred{rect.left + (rect.right - rect.left - Width()) / 2,
                      rect.top + (rect.bottom - rect.top - Height()) / 2, Width(), Height()};
  // A window that reaches past its monitor still gets a dialog that is whole
  // on that monitor.
  const RECT work = WorkAreaOf(other->Handle());
  const TRect kept = KeepWithin(
      centred, TRect{work.left, work.top, work.right - work.left, work.bottom - work.top});
  SetWindowPos(Handle(), nullptr, kept.Left, kept.Top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Show() {
  // Foreground and focus come before the window shows. Shown first, it is
  // visible while the system still routes keys to the window that was in
  // the foreground, and a key pressed at once is lost.
  SetForegroundWindow(Handle());
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
}

int TForm::ShowModal() {
  // Every other window of the program takes no input while this one is open.
  TDisabledWindows disabled(Handle());
  HWND previousActive = GetActiveWindow();

  modal_ = true;
  ModalResult = mrNone;
  // The keyboard goes to the dialog the moment it shows (see Show).
  Show();
  while (ModalResult == mrNone) {
    // A result may be set inside a sent message (BM_CLICK from UI Automation
    // or a screen reader), for which GetMessage never returns: wait for
    // anything, sent messages included, and look at the result again.
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (!Application->PumpMessage(Handle(), false)) {
      ModalResult = mrCancel;
      break;
    }
  }
  modal_ = false;
  // Enable the others before hiding, so that activation returns to them.
  disabled.Restore();
  if (Handle()) {
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  }
  if (previousActive && IsWindow(previousActive)) SetActiveWindow(previousActive);
  return ModalResult;
}

void TForm::Close() {
  PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TForm::ClickButton(TButton* button) {
  if (button && button->Enabled() && button->Visible()) button->Click();
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0 || !FromHandle(reinterpret_cast<HWND>(lParam))) {
        const UINT id = LOWORD(wParam);
        if (id == IDCANCEL) {
          ClickButton(CancelButton);
          return 0;
        }
        if (id == IDOK) {
          auto* focused = dynamic_cast<TButton*>(FromHandle(GetFocus()));
          ClickButton(focused ? focused : DefaultButton);
          return 0;
        }
        if (menu_ && menu_->Click(id)) return 0;
      }
      break;
    case WM_CLOSE: {
      bool canClose = true;
      if (OnCloseQuery) OnCloseQuery(canClose);
      if (!canClose) return 0;
      if (modal_) {
        ModalResult = mrCancel;
      } else if (Application && Application->MainForm == this) {
        ShowWindow(Handle(), SW_HIDE);
        Application->Terminate();
      } else {
        ShowWindow(Handle(), SW_HIDE);
      }
      return 0;
    }
    case WM_DPICHANGED:
      // Both halves of wParam carry the new DPI; lParam the rectangle the
      // system suggests for the window on its new monitor.
      ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_QUERYENDSESSION: {
      if (OnQueryEndSession) return OnQueryEndSession() ? TRUE : FALSE;
      // The system is shutting down: the same question as the close box.
      bool canClose = true;
      if (OnCloseQuery) OnCloseQuery(canClose);
      return canClose ? TRUE : FALSE;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
      } else if (!HIWORD(wParam)) {
        DefaultHandling(message, wParam, lParam);
        if (lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_))
          ::SetFocus(lastFocus_);
        if (OnActivate) OnActivate();
        return 0;
      }
      break;
    default:
      if (OnMessage) {
        LRESULT result = 0;
        if (OnMessage(message, wParam, lParam, result)) return result;
      }
      break;
  }
  return TControl::HandleMessage(message, wParam, lParam);
}
