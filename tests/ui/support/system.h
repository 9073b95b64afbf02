// What the UI tests read of the system around the program: special folders,
// shortcut files, registry values, windows and executables of other
// processes, and drive letters defined for a test.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/shortcuts.h"

namespace ui {

// A special folder by its CSIDL number, with a trailing backslash.
std::string SpecialFolder(int folder);
// Equal paths, ignoring letter case.
bool SamePath(const std::string& a, const std::string& b);

// A shortcut file as the shell reads it back (tests/support).
using TLink = test::TShortcut;
inline TLink ReadLink(const std::string& path) {  // COM must be initialised
  return test::ReadShortcut(path);
}

bool RegistryKeyExists(HKEY root, const std::string& key);
// A string value, or "(none)".
std::string RegistryString(HKEY root, const std::string& key, const std::string& name);

// The thread of a window: which of its windows has the keyboard focus.
HWND Focused(HWND window);

// A visible top-level window of any process, and that process.
struct TProcessWindow {
  HWND Window = nullptr;
  DWORD ProcessId = 0;
};
TProcessWindow WaitAnyWindow(const std::string& className, int timeoutMs = 20000);
std::string ProcessExe(DWORD processId);
// Closes the window and waits for its process to end.
void CloseAndWait(const TProcessWindow& window);

// A drive letter of its own for a folder, through Wine's mount manager (the
// way Wine's configuration tool defines drives), removed again at the end.
// Root() ("Q:\") is empty where no drive can be defined.
class TWineDrive {
 public:
  explicit TWineDrive(const std::string& folder);
  ~TWineDrive();
  TWineDrive(const TWineDrive&) = delete;
  TWineDrive& operator=(const TWineDrive&) = delete;
  const std::string& Root() const { return root_; }

 private:
  char letter_ = 0;
  std::string root_;
};

}  // namespace ui
