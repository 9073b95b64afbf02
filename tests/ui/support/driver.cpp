#include "driver.h"

#include "tests/support/dialogs.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace ui {

namespace {

std::string& QuiltraArgument() {
  static std::string path;
  return path;
}

std::string& ShotsArgument() {
  static std::string path;
  return path;
}

std::map<std::string, std::string>& NamedArguments() {
  static std::map<std::string, std::string> arguments;
  return arguments;
}

}  // namespace

void SetArguments(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument.rfind("--quiltra=", 0) == 0) QuiltraArgument() = argument.substr(10);
    if (argument.rfind("--shots=", 0) == 0) ShotsArgument() = argument.substr(8);
    const size_t equals = argument.find('=');
    if (argument.rfind("--", 0) == 0 && equals != std::string::npos)
      NamedArguments()[argument.substr(2, equals - 2)] = argument.substr(equals + 1);
  }
}

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string result = "Z:" + path;
  std::replace(result.begin(), result.end(), '/', '\\');
  return result;
}

std::string QuiltraExe() {
  return WindowsPath(QuiltraArgument());
}

std::string PathArgument(const std::string& name) {
  auto found = NamedArguments().find(name);
  return found == NamedArguments().end() ? std::string() : WindowsPath(found->second);
}

std::string ScreenshotDirectory() {
  std::string directory = WindowsPath(ShotsArgument());
  if (directory.empty()) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    directory = temp;
  }
  if (directory.back() != '\\') directory += '\\';
  CreateDirectoryA(directory.c_str(), nullptr);
  return directory;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    ::Sleep(50);
  }
}

void Sleep(int ms) {
  ::Sleep(static_cast<DWORD>(ms));
}

TProcess::TProcess(const std::string& exe, const std::string& arguments) {
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  std::string directory = exe.substr(0, exe.find_last_of('\\') + 1);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  // On a busy machine Wine now and then refuses a start with an internal
  // error that a moment later is gone.
  BOOL started = FALSE;
  for (int attempt = 0; attempt < 3 && !started; ++attempt) {
    if (attempt > 0) ::Sleep(500);
    started = CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             directory.empty() ? nullptr : directory.c_str(), &startup, &info_);
    if (!started && GetLastError() != ERROR_INTERNAL_ERROR) break;
  }
  if (!started)
    throw std::runtime_error("cannot start " + exe + " (error " + std::to_string(GetLastError()) +
                             ")");
}

TProcess::TProcess(const std::wstring& exe, const std::wstring& variable,
                   const std::wstring& value) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  const std::wstring directory = exe.substr(0, exe.find_last_of(L'\\') + 1);
  std::vector<wchar_t> old(32768, L'\0');
  const bool hadOld = GetEnvironmentVariableW(variable.c_str(), old.data(), 32768) > 0;
  SetEnvironmentVariableW(variable.c_str(), value.c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  const BOOL started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                      nullptr, directory.c_str(), &startup, &info_);
  SetEnvironmentVariableW(variable.c_str(), hadOld ? old.data() : nullptr);
  if (!started)
    throw std::runtime_error("cannot start a program (error " + std::to_string(GetLastError()) +
                             ")");
}

TProcess::~TProcess() {
  if (Running()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool TProcess::Running() const {
  return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

int TProcess::Wait(int timeoutMs) {
  if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0)
    return -1;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return static_cast<int>(code);
}

HWND TProcess::FindWindow(const std::string& className) const {
  return test::FindTopWindow(info_.dwProcessId, className);
}

HWND TProcess::WaitWindow(const std::string& className, int timeoutMs) const {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindWindow(className)) != nullptr; }, timeoutMs);
  return found;
}

std::string InstallGame(const TTempDir& folder, const std::string& name) {
  const std::string target = folder.File(name);
  if (!CopyFileA(QuiltraExe().c_str(), target.c_str(), FALSE))
    throw std::runtime_error("cannot copy " + QuiltraExe() + " to " + target);
  return target;
}

std::string Text(HWND window) {
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(copied);
  return text;
}

std::string ClassOf(HWND window) {
  char name[128] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

namespace {

struct ChildSearch {
  std::string ClassName;
  std::vector<HWND> Found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<ChildSearch*>(parameter);
  if (search->ClassName.empty() ||
      _stricmp(ClassOf(window).c_str(), search->ClassName.c_str()) == 0)
    search->Found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> Children(HWND parent, const std::string& className) {
  ChildSearch search{className, {}};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND ChildWithText(HWND parent, const std::string& className, const std::string& text) {
  for (HWND child : Children(parent, className))
    if (Text(child) == text) return child;
  return nullptr;
}

HWND ChildStartingWith(HWND parent, const std::string& className, const std::string& prefix) {
  for (HWND child : Children(parent, className))
    if (Text(child).rfind(prefix, 0) == 0) return child;
  return nullptr;
}

POINT Centre(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

RECT ClientRectOnScreen(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

namespace {

void SendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

void SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

}  // namespace

void MoveTo(int x, int y) {
  SetCursorPos(x, y);
  ::Sleep(30);
}

void ClickAt(int x, int y, bool right) {
  MoveTo(x, y);
  SendMouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  ::Sleep(30);
  SendMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
  ::Sleep(60);
}

void ClickIn(HWND window, int x, int y, bool right) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  ClickAt(point.x, point.y, right);
}

void ClickWithKeys(int x, int y, std::initializer_list<WORD> keys) {
  MoveTo(x, y);
  for (WORD key : keys) SendKey(key, false);
  ::Sleep(30);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  ::Sleep(30);
  SendMouse(MOUSEEVENTF_LEFTUP);
  ::Sleep(30);
  for (WORD key : keys) SendKey(key, true);
  ::Sleep(60);
}

void DragTo(int fromX, int fromY, int toX, int toY) {
  MoveTo(fromX, fromY);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  ::Sleep(40);
  const int steps = 6;
  for (int step = 1; step <= steps; ++step) {
    SetCursorPos(fromX + (toX - fromX) * step / steps, fromY + (toY - fromY) * step / steps);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
    ::Sleep(20);
  }
  SendMouse(MOUSEEVENTF_LEFTUP);
  ::Sleep(60);
}

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
  for (WORD modifier : modifiers) SendKey(modifier, false);
  SendKey(key, false);
  SendKey(key, true);
  for (WORD modifier : modifiers) SendKey(modifier, true);
  ::Sleep(100);
}

void TypeText(const std::string& text) {
  for (char c : text) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wScan = input[1].ki.wScan = static_cast<WORD>(static_cast<unsigned char>(c));
    input[0].ki.dwFlags = KEYEVENTF_UNICODE;
    input[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof input[0]);
  }
  ::Sleep(100);
}

bool PressButton(HWND dialog, const std::string& caption) {
  HWND button = ChildWithText(dialog, "Button", caption);
  if (!button) return false;
  PostMessageA(button, BM_CLICK, 0, 0);
  return true;
}

bool PressButtonId(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (!button) return false;
  PostMessageA(button, BM_CLICK, 0, 0);
  return true;
}

bool AnswerFileDialog(const TProcess& process, const std::string& path) {
  std::wstring wide(path.size() + 1, L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(),
                                                      static_cast<int>(wide.size()))));
  if (!wide.empty()) wide.pop_back();  // the terminating zero
  return AnswerFileDialog(process, wide);
}

bool AnswerFileDialog(const TProcess& process, const std::wstring& path) {
  HWND dialog = process.WaitWindow("#32770");
  if (!dialog) return false;
  HWND edit = nullptr;
  WaitFor([&] { return (edit = test::FileNameField(dialog)) != nullptr; });
  if (!edit) return false;
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  HWND okay = GetDlgItem(dialog, IDOK);
  if (!okay) return false;
  PostMessageA(okay, BM_CLICK, 0, 0);
  return WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

HWND WaitMessageBox(const TProcess& process, int timeoutMs) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        HWND window = process.FindWindow("#32770");
        if (window && GetDlgItem(window, 0xFFFF)) found = window;
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

std::string MessageBoxText(HWND box) {
  return Text(GetDlgItem(box, 0xFFFF));
}

TShot Capture(const RECT& rect) {
  TShot shot;
  shot.Width = rect.right - rect.left;
  shot.Height = rect.bottom - rect.top;
  if (shot.Width <= 0 || shot.Height <= 0) return shot;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.Width;
  info.bmiHeader.biHeight = -shot.Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, shot.Width, shot.Height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const uint32_t*>(bits);
  shot.Pixels.assign(pixels, pixels + static_cast<size_t>(shot.Width) * shot.Height);
  for (auto& pixel : shot.Pixels) pixel &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return shot;
}

TShot CaptureClient(HWND window) {
  return Capture(ClientRectOnScreen(window));
}

namespace {

bool PngEncoder(CLSID& clsid) {
  UINT count = 0, size = 0;
  Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &size);
  if (size == 0) return false;
  std::vector<char> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::DllExports::GdipGetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i)
    if (wcscmp(codecs[i].MimeType, L"image/png") == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  return false;
}

}  // namespace

std::string SaveScreenshot(const std::string& name) {
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  TShot shot = Capture(screen);
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  const std::string path = ScreenshotDirectory() + name + ".png";
  Gdiplus::GpBitmap* bitmap = nullptr;
  Gdiplus::DllExports::GdipCreateBitmapFromScan0(
      shot.Width, shot.Height, shot.Width * 4, PixelFormat32bppRGB,
      reinterpret_cast<BYTE*>(shot.Pixels.data()), &bitmap);
  CLSID png{};
  if (bitmap && PngEncoder(png)) {
    std::wstring widePath(path.begin(), path.end());
    Gdiplus::DllExports::GdipSaveImageToFile(bitmap, widePath.c_str(), &png, nullptr);
  }
  if (bitmap) Gdiplus::DllExports::GdipDisposeImage(bitmap);
  Gdiplus::GdiplusShutdown(token);
  return path;
}

}  // namespace ui
