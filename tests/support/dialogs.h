// Finding a process's windows, and this process's own dialogs answered from
// a helper thread, for the tests that drive windows in process.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace test {

// Waits on its own thread for dialogs of this process with the caption, one
// after the other: records each one's message text, runs onFound, presses
// the next of the buttons and lets it close. Texts() waits for the thread
// and holds a text for each dialog that came; Text() the first, or empty.
class TDialogAnswerer {
 public:
  TDialogAnswerer(const std::string& caption, std::vector<int> buttonIds,
                  std::function<void(HWND dialog)> onFound = {});
  TDialogAnswerer(const std::string& caption, int buttonId,
                  std::function<void(HWND dialog)> onFound = {})
      : TDialogAnswerer(caption, std::vector<int>{buttonId}, std::move(onFound)) {}
  ~TDialogAnswerer();
  TDialogAnswerer(const TDialogAnswerer&) = delete;
  TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;
  const std::vector<std::string>& Texts();
  std::string Text() { return Texts().empty() ? std::string() : Texts().front(); }

 private:
  std::vector<std::string> texts_;
  std::thread thread_;
};

// The file name field of a file dialog, at whatever depth it lies: its own
// id, or the edit inside the file name combo box; nullptr before it exists.
HWND FileNameField(HWND dialog);

// A shown top-level window of the process with the class (any when empty)
// and, where one is given, the caption.
HWND FindTopWindow(DWORD process, const std::string& className,
                   const std::optional<std::string>& caption = std::nullopt);
// The dialog of this process with this caption, if one is open.
HWND FindProcessDialog(const std::string& caption);

}  // namespace test
