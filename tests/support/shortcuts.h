// Shortcut files as the shell reads them back, for the tests of writing them
// in process and through the installer.
#pragma once

#include <string>

namespace test {

struct TShortcut {
  bool Read = false;  // false when the shell could not load the file
  std::string Target, WorkingDirectory, Arguments;
  int ShowCommand = -1;
};
// COM must be initialised on the calling thread.
TShortcut ReadShortcut(const std::string& path);

}  // namespace test
