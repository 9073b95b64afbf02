#include "dialogs.h"

namespace test {

namespace {

struct TSearch {
  std::string Caption;
  HWND Found = nullptr;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  char className[64] = {}, caption[256] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, caption, sizeof caption);
  if (std::string(className) == "#32770" && search->Caption == caption) {
    search->Found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindProcessDialog(const std::string& caption) {
  TSearch search{caption};
  EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

TDialogAnswerer::TDialogAnswerer(const std::string& caption, int buttonId,
                                 std::function<void(HWND)> onFound)
    : thread_([this, caption, buttonId, onFound] {
        for (int waited = 0; waited < 15000; waited += 50) {
          HWND dialog = FindProcessDialog(caption);
          if (!dialog) {
            Sleep(50);
            continue;
          }
          char text[1024] = {};
          // A message box keeps its text in the static control 0xFFFF.
          if (HWND message = GetDlgItem(dialog, 0xFFFF)) GetWindowTextA(message, text, sizeof text);
          text_ = text;
          if (onFound) onFound(dialog);
          // Sent, not posted: nothing the dialog has queued comes between
          // what onFound did and the press.
          DWORD_PTR result = 0;
          SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                              reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)), SMTO_NORMAL,
                              5000, &result);
          return;
        }
      }) {}

TDialogAnswerer::~TDialogAnswerer() {
  if (thread_.joinable()) thread_.join();
}

const std::string& TDialogAnswerer::Text() {
  if (thread_.joinable()) thread_.join();
  return text_;
}

}  // namespace test
