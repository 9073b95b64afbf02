#include "dialogs.h"

namespace test {

namespace {

struct TSearch {
  DWORD Process;
  const std::string& ClassName;
  const std::optional<std::string>& Caption;
  HWND Found = nullptr;
};

BOOL CALLBACK Match(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->Process || !IsWindowVisible(window)) return TRUE;
  char className[128] = {}, caption[256] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, caption, sizeof caption);
  if (!search->ClassName.empty() && search->ClassName != className) return TRUE;
  if (search->Caption && *search->Caption != caption) return TRUE;
  search->Found = window;
  return FALSE;
}

}  // namespace

HWND FindTopWindow(DWORD process, const std::string& className,
                   const std::optional<std::string>& caption) {
  TSearch search{process, className, caption};
  EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND FindProcessDialog(const std::string& caption) {
  return FindTopWindow(GetCurrentProcessId(), "#32770", caption);
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
