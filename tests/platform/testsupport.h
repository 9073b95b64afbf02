// What the platform tests share: temporary folders, small files, and a
// helper thread that answers this process's message boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace test {

// A fresh folder under the system's temporary folder, removed with
// everything in it (read-only and hidden entries too).
class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  const std::string& Path() const { return path_; }  // ends with a backslash
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

void RemoveTree(const std::string& directory);
void WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);
bool Exists(const std::string& path);
DWORD Attributes(const std::string& path);
void MakeDirectory(const std::string& path);

// Runs with the current directory in a folder, then goes back.
class TCurrentDirectory {
 public:
  explicit TCurrentDirectory(const std::string& path);
  ~TCurrentDirectory();
  TCurrentDirectory(const TCurrentDirectory&) = delete;
  TCurrentDirectory& operator=(const TCurrentDirectory&) = delete;

 private:
  char old_[MAX_PATH] = {};
};

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

// The dialog of this process with this caption, if one is open.
HWND FindProcessDialog(const std::string& caption);

// The helper program next to the tests; it appends its command line to the
// file named by QUILTRA_HELPER_OUTPUT.
std::string HelperPath();
// Points QUILTRA_HELPER_OUTPUT at a file of the folder for one scope.
class THelperOutput {
 public:
  explicit THelperOutput(const TTempFolder& folder);
  ~THelperOutput();
  THelperOutput(const THelperOutput&) = delete;
  THelperOutput& operator=(const THelperOutput&) = delete;
  // Waits until the helper has written a line; its text without the break.
  std::string WaitLine();

 private:
  std::string path_;
};

// For one scope, the local machine's uninstall list refuses every write and
// every look, as it refuses a standard user's writes.
class TRefusedMachineRoot {
 public:
  TRefusedMachineRoot();
  ~TRefusedMachineRoot();
  TRefusedMachineRoot(const TRefusedMachineRoot&) = delete;
  TRefusedMachineRoot& operator=(const TRefusedMachineRoot&) = delete;

 private:
  HKEY old_;
};

}  // namespace test
