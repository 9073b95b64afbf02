#include "threadwindows.h"

namespace {

// No exception may cross the system's enumeration: out of memory ends it,
// and the windows collected so far are the ones disabled.
BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) noexcept {
  try {
    if (IsWindowVisible(window) && IsWindowEnabled(window))
      reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

}  // namespace

TDisabledWindows::TDisabledWindows(HWND except) {
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow,
                    reinterpret_cast<LPARAM>(&windows_));
  std::erase(windows_, except);
  for (HWND window : windows_) EnableWindow(window, FALSE);
}

void TDisabledWindows::Restore() {
  for (HWND window : windows_)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  windows_.clear();
}
