// Disabling the program's other windows while a modal window is open.
#pragma once

#include <windows.h>

#include <vector>

// Disables this thread's visible, enabled top-level windows (all but
// `except`) for one scope, as a modal dialog of the application does, and
// enables them again when it ends or when Restore is called.
class TDisabledWindows {
 public:
  explicit TDisabledWindows(HWND except = nullptr);
  ~TDisabledWindows() { Restore(); }
  TDisabledWindows(const TDisabledWindows&) = delete;
  TDisabledWindows& operator=(const TDisabledWindows&) = delete;

  void Restore();

 private:
  std::vector<HWND> windows_;
};
