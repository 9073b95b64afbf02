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

namespace {

BOOL CALLBACK MatchFileNameField(HWND child, LPARAM found) {
  char className[16] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Edit") != 0) return TRUE;
  if (GetDlgCtrlID(child) != 0x480 && GetDlgCtrlID(GetParent(child)) != 0x47c) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

}  // namespace

HWND FileNameField(HWND dialog) {
  HWND found = nullptr;
  EnumChildWindows(dialog, MatchFileNameField, reinterpret_cast<LPARAM>(&found));
  return found;
}

TDialogAnswerer::TDialogAnswerer(const std::string& caption, std::vector<int> buttonIds,
                                 std::function<void(HWND)> onFound)
    : thread_([this, caption, buttonIds, onFound] {
        for (int buttonId : buttonIds) {
          HWND dialog = nullptr;
          for (int waited = 0; waited < 15000 && !dialog; waited += 20)
            if (!(dialog = FindProcessDialog(caption))) Sleep(20);
          if (!dialog) return;
          char text[1024] = {};
          // A message box keeps its text in the static control 0xFFFF.
          GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);
          texts_.push_back(text);
          if (onFound) onFound(dialog);
          // Sent, not posted: nothing the dialog has queued comes between
          // what onFound did and the press.
          DWORD_PTR result = 0;
          SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                              reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)), SMTO_NORMAL,
                              5000, &result);
          for (int waited = 0; waited < 5000 && IsWindow(dialog); waited += 20) Sleep(20);
        }
      }) {}

TDialogAnswerer::~TDialogAnswerer() {
  if (thread_.joinable()) thread_.join();
}

const std::vector<std::string>& TDialogAnswerer::Texts() {
  if (thread_.joinable()) thread_.join();
  return texts_;
}

}  // namespace test
