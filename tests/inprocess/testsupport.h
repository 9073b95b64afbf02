// What the in-process tests share besides tests/support: the helper program
// started through the shell, a refused machine root, and the layout rules
// on the program's own windows.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "forms/control.h"
#include "tests/support/dialogs.h"
#include "tests/support/files.h"
#include "tests/support/layout.h"

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

// The layout rules on the controls from `from` down, captions measured in
// the fonts the form layer gives them.
std::string FormLayoutFaults(const TControl& from, TLayoutRules rules = {});
// The controls' windows, for the row and column rules.
std::vector<HWND> Handles(std::initializer_list<const TControl*> controls);
// A dialog of a fixed size with a close box, owned by the owner: what is
// wrong with it, empty when nothing is.
std::string FixedDialogFaults(const TControl& dialog, HWND owner);

}  // namespace test
