// Forms: top-level windows, shown as the main window or modally with their own
// message loop.
#pragma once

#include <memory>

#include "control.h"
#include "menu.h"

// Dialog results, the platform's numbers.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

class TButton;

// The work area of the monitor nearest the window (the primary monitor's
// without one), in pixels of the screen.
RECT WorkAreaOf(HWND window);

struct TFormStyle {
  const char* ClassName;  // the form's class name, also its window class
  int ClientWidth;
  int ClientHeight;
  bool MinimizeBox = false;
};

class TForm : public TControl {
 public:
  // An owned form stays above its owner (null: a top-level form of its own).
  TForm(const TFormStyle& style, const std::string& caption, TForm* owner = nullptr);
  ~TForm() override;

  void Show();
  // Shows the form modally and waits; returns its ModalResult.
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult = mrNone;
  // Asks the form to close, as its close box does.
  void Close();

  // In pixels of the screen.
  void SetClientSize(int width, int height);
  // The DPI the form is laid out for: its monitor's.
  int FormDpi() const { return dpi_; }
  // Lays the form out for another DPI, as when it moves to a monitor of
  // that DPI: the window takes the rectangle given (screen pixels), the
  // controls their designed places and fonts at the new DPI.
  void ChangeDpi(int dpi, const RECT& windowRect);
  void CenterOnScreen();
  void CenterOn(TForm* other);

  // The menu bar, with its shortcuts.
  TMainMenu* Menu() { return menu_.get(); }
  TMainMenu* CreateMenu();
  void AttachMenu();
  HACCEL Accelerators() const { return menu_ ? menu_->Accelerators() : nullptr; }

  // Esc clicks the cancel button; Enter clicks the focused button, or the
  // default button when the focus is elsewhere.
  TButton* CancelButton = nullptr;
  TButton* DefaultButton = nullptr;

  std::function<void(bool& canClose)> OnCloseQuery;
  TNotifyEvent OnActivate;
  // After ChangeDpi placed the controls. Without it the form takes its
  // designed client size at the new DPI; a form that sizes itself lays out
  // what it placed in the client area it got.
  TNotifyEvent OnDpiChanged;
  // Windows ends the session (shut down, restart, sign out): true lets it.
  // Without it the form asks as its close box does.
  std::function<bool()> OnQueryEndSession;
  // A message the form has no handling of its own for; true when handled,
  // with the result to give.
  std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> OnMessage;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ClickButton(TButton* button);
  void PlaceCentredOnScreen();
  void PlaceCentredOn(TForm* other);
  // Lays the form out at its monitor's DPI when it is not yet; true when it
  // changed.
  bool FollowMonitorDpi();
  std::unique_ptr<TMainMenu> menu_;
  bool modal_ = false;
  HWND lastFocus_ = nullptr;
  DWORD style_ = 0;
  int dpi_ = 96;
  int designedClientWidth_ = 0;  // at 96 DPI
  int designedClientHeight_ = 0;
};
