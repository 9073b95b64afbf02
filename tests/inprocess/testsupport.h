// What the in-process tests share besides tests/support: the helper program
// started through the shell, and a refused machine root.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/dialogs.h"
#include "tests/support/files.h"

namespace test {

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
