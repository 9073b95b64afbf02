// The application object: title, help file, hint timing, the message loop
// with the main menu's accelerators, the unhandled-exception event, hints and
// the one drag that can exist.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>

#include "platform/handles.h"

class TControl;
class TForm;

// A font's weight and slant, as GetFont takes them.
struct TFontStyle {
  bool Bold = false;
  bool Italic = false;
};

class TApplication {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  std::string Title;
  std::string HelpFile;
  int HintPause = 500;
  int HintHidePause = 2500;
  int HintShortPause = 50;

  // Receives exceptions that escaped an event; without it they are shown in a
  // plain box.
  std::function<void(const std::string& message)> OnException;
  void HandleException(const std::string& message);

  // The first form created is the main form; closing it ends Run.
  TForm* MainForm = nullptr;
  void Run();
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }
  void Minimize();

  // Asks the help system for a context of HelpFile.
  bool HelpContext(int context);

  // Shows the control's hint at a screen position now.
  void ActivateHint(TControl* control, POINT screenPoint);
  void CancelHint();
  void NoteMouseOver(TControl* control);
  TControl* HintControl() const { return hintControl_; }

  // Dragging between controls.
  void BeginDrag(TControl* source);
  void DragMove();
  // The drop: the target's drop event, then the source's end-of-drag event.
  void DragDrop();
  // A drag given up (Esc, capture lost): the source's end-of-drag event.
  void EndDrag();
  TControl* DragSource() const { return dragSource_; }

  // Fonts are shared and live as long as the application. The height is in
  // pixels at 96 DPI.
  HFONT GetFont(const std::string& face, int height, TFontStyle style = {});
  // The same face at a DPI; a font not made by GetFont is returned as it is.
  HFONT FontForDpi(HFONT font, int dpi);

  // One step of a message loop: translates the main menu's accelerators and
  // the dialog keys. False when WM_QUIT arrived (it is posted again).
  bool PumpMessage(HWND dialogWindow, bool wait);

 private:
  TControl* DragTargetAt(POINT screenPoint, POINT& clientPoint);
  void StopDragging();
  HWND HintWindow();

  bool terminated_ = false;
  TControl* dragSource_ = nullptr;
  TControl* hintControl_ = nullptr;
  HWND hintWindow_ = nullptr;
  std::string hintText_;
  int hintDpi_ = 0;
  UniqueFont hintFont_;
  std::map<std::tuple<std::string, int, bool, bool>, UniqueFont> fonts_;
};

// Created by WinMain before any form. The form layer's one global: the
// system's callbacks into controls (window procedures) carry no pointer to it.
extern TApplication* Application;
