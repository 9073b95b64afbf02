// What the installer's tests share: a distribution folder made in a temporary
// place, the clean-up of everything an installation makes outside its folder,
// and the installer window's fields and boxes.
#pragma once

#include <windows.h>

#include <string>

#include "driver.h"

namespace ui {

extern const char* const kUninstallKey;  // under either root
extern const char* const kTestReadme;

// A distribution folder as the build makes it, with a few files that show
// what the copy takes and what it leaves.
class TDistribution {
 public:
  explicit TDistribution(const std::string& exeName = "Install.exe");
  // The folder's name, which names the start-menu group too: one of this
  // test run's own.
  static std::string Name();
  const std::string& Folder() const { return folder_; }  // with its backslash
  const std::string& Exe() const { return exe_; }
  std::string Parent() const { return root_.Path(); }

 private:
  TTempDir root_;
  std::string folder_;
  std::string exe_;
};

// Everything an installation makes outside its own folder (shortcuts, both
// uninstall entries, a folder in the user's programs folder) goes at the end
// of a test, whatever happened.
class TCleanInstallation {
 public:
  TCleanInstallation() { Clean(); }
  ~TCleanInstallation() { Clean(); }
  TCleanInstallation(const TCleanInstallation&) = delete;
  TCleanInstallation& operator=(const TCleanInstallation&) = delete;
  // A machine-wide installation's shortcuts are every user's.
  static std::string DesktopLink(bool everyUser);
  static std::string Group(bool everyUser);  // the start-menu group, with its backslash
  // The distribution's folder as installed into the user's programs folder.
  static std::string InUserPrograms();

 private:
  static void Clean();
};

// The installer window's directory field (single-line) or read-me (multi).
HWND EditOf(HWND window, bool multiline);
void SetInstallTo(HWND window, const std::string& directory);
// The installer's window once the button is pressed, the target directory
// set first where one is given; nullptr without the window or the button.
HWND PressInInstaller(const TProcess& installer, const std::string& button,
                      const std::string& target = "");
// Waits for the process's message box, returns its text and presses a button.
std::string AnswerBox(const TProcess& process, int button, std::string* caption = nullptr);

}  // namespace ui
