// Finding a process's windows, and this process's own dialogs answered from
// a helper thread, for the tests that drive windows in process.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace test {

// Waits on its own thread for a dialog of this process with the caption,
// records its message text, runs onFound, and presses the button. Text()
// waits for the thread and is empty when no such dialog came.
class TDialogAnswerer {
 public:
  TDialogAnswerer(const std::string& caption, int buttonId,
                  std::function<void(HWND dialog)> onFound = {});
  ~TDialogAnswerer();
  TDialogAnswerer(const TDialogAnswerer&) = delete;
  TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;
  const std::string& Text();

 private:
  std::thread thread_;
  std::string text_;
};

// A shown top-level window of the process with the class (any when empty)
// and, where one is given, the caption.
HWND FindTopWindow(DWORD process, const std::string& className,
                   const std::optional<std::string>& caption = std::nullopt);
// The dialog of this process with this caption, if one is open.
HWND FindProcessDialog(const std::string& caption);

}  // namespace test
