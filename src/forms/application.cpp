#include "application.h"

#include <commctrl.h>

#include "control.h"
#include "dpi.h"
#include "form.h"

TApplication* Application = nullptr;

TApplication::TApplication() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  Application = this;
}

TApplication::~TApplication() {
  if (hintWindow_) DestroyWindow(hintWindow_);
  if (Application == this) Application = nullptr;
}

void TApplication::HandleException(const std::string& message) {
  try {
    if (OnException) {
      OnException(message);
      return;
    }
  } catch (...) {
    // The handler itself failed: fall back to the plain box below.
  }
  MessageBoxA(nullptr, message.c_str(), "Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

bool TApplication::PumpMessage(HWND dialogWindow, bool wait) {
  MSG message{};
  if (wait) {
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
      if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
  } else if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    return true;
  }
  if (message.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(message.wParam));
    return false;
  }
  if (dragSource_ && message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
    EndDrag();
    return true;
  }
  // The main menu's shortcuts act whichever control of the main window has the
  // focus, even a combo box.
  if (MainForm && MainForm->Accelerators() && !dialogWindow) {
    HWND main = MainForm->Handle();
    if (main && IsWindowEnabled(main) && (message.hwnd == main || IsChild(main, message.hwnd)) &&
        TranslateAcceleratorA(main, MainForm->Accelerators(), &message))
      return true;
  }
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && dynamic_cast<TForm*>(TControl::FromHandle(root)) && IsDialogMessageA(root, &message))
    return true;
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return true;
}

void TApplication::Run() {
  if (MainForm) MainForm->Show();
  while (!terminated_ && PumpMessage(nullptr, true)) {
  }
  terminated_ = true;
}

void TApplication::ProcessMessages() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    if (message.message == WM_QUIT || !PumpMessage(nullptr, false)) break;
  }
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::Minimize() {
  if (MainForm && MainForm->Handle()) ShowWindow(MainForm->Handle(), SW_MINIMIZE);
}

bool TApplication::HelpContext(int context) {
  HWND owner = MainForm ? MainForm->Handle() : nullptr;
  return WinHelpA(owner, HelpFile.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(context)) != FALSE;
}

HWND TApplication::HintWindow() {
  if (!hintWindow_) {
    hintWindow_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                  WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.uId = 1;
    tool.lpszText = const_cast<char*>("");
    SendMessageA(hintWindow_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(hintWindow_, TTM_SETMAXTIPWIDTH, 0, 600);
  }
  return hintWindow_;
}

void TApplication::ActivateHint(TControl* control, POINT screenPoint) {
  if (!control || control->Hint.empty()) return;
  HWND hint = HintWindow();
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uId = 1;
  if (hintText_ != control->Hint || hintControl_ != control) {
    hintText_ = control->Hint;
    tool.lpszText = hintText_.data();
    SendMessageA(hint, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  if (hintDpi_ != control->Dpi()) {
    // The hint speaks in the system's hint font at the control's DPI.
    hintDpi_ = control->Dpi();
    const LOGFONTA font = StatusFontForDpi(hintDpi_);
    hintFont_.reset(CreateFontIndirectA(&font));
    SendMessageA(hint, WM_SETFONT, reinterpret_cast<WPARAM>(hintFont_.get()), TRUE);
  }
  SendMessageA(hint, TTM_TRACKPOSITION, 0,
               MAKELPARAM(screenPoint.x + control->Scale(12), screenPoint.y + control->Scale(20)));
  if (!hintControl_) SendMessageA(hint, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  hintControl_ = control;
}

void TApplication::CancelHint() {
  if (!hintControl_) return;
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uId = 1;
  SendMessageA(HintWindow(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
  hintControl_ = nullptr;
}

void TApplication::NoteMouseOver(TControl* control) {
  if (hintControl_ && (hintControl_ != control || !control->ShowHint)) CancelHint();
}

TControl* TApplication::DragTargetAt(POINT screenPoint, POINT& clientPoint) {
  TControl* target = TControl::FromHandle(WindowFromPoint(screenPoint));
  while (target && !target->OnDragOver) target = target->Parent();
  if (target) {
    clientPoint = screenPoint;
    ScreenToClient(target->Handle(), &clientPoint);
  }
  return target;
}

void TApplication::BeginDrag(TControl* source) {
  CancelHint();
  dragSource_ = source;
  SetCapture(source->Handle());
  DragMove();
}

void TApplication::DragMove() {
  POINT screenPoint{}, clientPoint{};
  GetCursorPos(&screenPoint);
  bool accept = false;
  if (TControl* target = DragTargetAt(screenPoint, clientPoint))
    target->OnDragOver(dragSource_, clientPoint.x, clientPoint.y, accept);
  SetCursor(LoadCursor(nullptr, accept ? IDC_SIZEALL : IDC_NO));
}

void TApplication::DragDrop() {
  POINT screenPoint{}, clientPoint{};
  GetCursorPos(&screenPoint);
  TControl* source = dragSource_;
  TControl* target = DragTargetAt(screenPoint, clientPoint);
  StopDragging();
  // The target plays the drop by its own rules: it is not asked again
  // whether it would take it.
  if (target && target->OnDragDrop) target->OnDragDrop(source, clientPoint.x, clientPoint.y);
  if (source && source->OnEndDrag) source->OnEndDrag();
}

void TApplication::EndDrag() {
  TControl* source = dragSource_;
  StopDragging();
  if (source && source->OnEndDrag) source->OnEndDrag();
}

void TApplication::StopDragging() {
  TControl* source = dragSource_;
  dragSource_ = nullptr;
  if (source && GetCapture() == source->Handle()) ReleaseCapture();
  POINT point{};
  GetCursorPos(&point);
  SetCursorPos(point.x, point.y);  // let the window under the pointer set its cursor again
}

HFONT TApplication::GetFont(const std::string& face, int height, TFontStyle style) {
  auto key = std::make_tuple(face, height, style.Bold, style.Italic);
  auto& font = fonts_[key];
  if (!font) {
    font.reset(CreateFontA(-height, 0, 0, 0, style.Bold ? FW_BOLD : FW_NORMAL, style.Italic, FALSE,
                           FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
  }
  return font.get();
}

HFONT TApplication::FontForDpi(HFONT font, int dpi) {
  for (const auto& [key, made] : fonts_) {
    if (made.get() != font) continue;
    const auto& [face, height, bold, italic] = key;
    return GetFont(face, ScaleToDpi(height, dpi), {.Bold = bold, .Italic = italic});
  }
  return font;
}
