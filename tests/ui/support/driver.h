// The UI test driver: starts the real Quiltra.exe from a temporary program
// folder, finds its windows, gives it real input and reads its screen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/files.h"

namespace ui {

// Paths given on the command line: the built executable and where
// screenshots go.
std::string QuiltraExe();
std::string ScreenshotDirectory();
// Another path given on the command line as --name=path, as Wine sees it.
std::string PathArgument(const std::string& name);
// A unix path as Wine sees it ("Z:\...").
std::string WindowsPath(const std::string& path);

// The shared temporary folder (tests/support), and its whole-file helpers.
using TTempDir = test::TTempFolder;
using test::Exists;
using test::ReadText;
using test::RemoveTree;
using test::WriteText;

// Waits until the condition holds; false after the timeout.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000);
void Sleep(int ms);

// One started program.
class TProcess {
 public:
  // Starts the executable with the command-line arguments, in its folder.
  TProcess(const std::string& exe, const std::string& arguments = "");
  // An executable named in UTF-16 (a folder outside the ANSI code page), with
  // an environment variable set for it ("LANG" picks Wine's code page).
  TProcess(const std::wstring& exe, const std::wstring& variable, const std::wstring& value);
  ~TProcess();  // kills it if it still runs
  TProcess(const TProcess&) = delete;
  TProcess& operator=(const TProcess&) = delete;

  DWORD Id() const { return info_.dwProcessId; }
  bool Running() const;
  // Waits for the end; the exit code, or -1 after the timeout.
  int Wait(int timeoutMs = 20000);
  // A visible top-level window of this process with the class name (any when
  // empty), waiting for it.
  HWND WaitWindow(const std::string& className, int timeoutMs = 15000) const;
  HWND FindWindow(const std::string& className) const;

 private:
  PROCESS_INFORMATION info_{};
};

// Copies Quiltra.exe under the name into the folder and starts it.
std::string InstallGame(const TTempDir& folder, const std::string& name = "Quiltra.exe");

// Windows and their texts.
std::string Text(HWND window);
std::string ClassOf(HWND window);
// Children (at any depth) of a class whose text matches, in z-order.
std::vector<HWND> Children(HWND parent, const std::string& className);
HWND ChildWithText(HWND parent, const std::string& className, const std::string& text);
// The child whose text begins with the prefix.
HWND ChildStartingWith(HWND parent, const std::string& className, const std::string& prefix);
RECT ClientRectOnScreen(HWND window);
// The middle of a window on the screen.
POINT Centre(HWND window);

// Real input.
void MoveTo(int x, int y);
void ClickAt(int x, int y, bool right = false);
void ClickIn(HWND window, int x, int y, bool right = false);
// A click with keys held (VK_CONTROL, VK_SHIFT): pressed after the pointer
// arrived, as moving it may clear them under Xvfb.
void ClickWithKeys(int x, int y, std::initializer_list<WORD> keys);
// Presses the left button at one screen point, moves in steps to another and
// releases it there.
void DragTo(int fromX, int fromY, int toX, int toY);
// Presses a key with modifiers held (VK_CONTROL, VK_SHIFT, VK_MENU).
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
void TypeText(const std::string& text);
// Presses the button of a dialog window, by its caption.
bool PressButton(HWND dialog, const std::string& caption);
// Presses a dialog's button by its id (IDYES, IDNO, IDCANCEL, IDOK).
bool PressButtonId(HWND dialog, int id);

// Answers the standard file dialog of a process: types the path and confirms.
bool AnswerFileDialog(const TProcess& process, const std::string& path);
bool AnswerFileDialog(const TProcess& process, const std::wstring& path);
// The text of a message box of the process, and answering it.
HWND WaitMessageBox(const TProcess& process, int timeoutMs = 10000);
std::string MessageBoxText(HWND box);

// Screen pixels.
struct TShot {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;  // 0x00RRGGBB
  uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};
TShot Capture(const RECT& screenRect);
TShot CaptureClient(HWND window);
// Saves the whole screen into the screenshot folder as name.png.
std::string SaveScreenshot(const std::string& name);

}  // namespace ui
