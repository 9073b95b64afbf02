// What the in-process tests share besides tests/support: the helper program
// started through the shell, a refused machine root, and the layout rules
// on the program's own windows.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/application.h"
#include "forms/control.h"
#include "game/errorform.h"
#include "platform/error.h"
#include "tests/support/quiltraformprobe.h"
#include "tests/support/showrecorder.h"
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

// A shown main window and the error dialog reporting the failures, as the
// program has them when a dialog of it opens.
class TDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallErrorReporting();
    application_ = std::make_unique<TApplication>();
    mainForm_ = std::make_unique<TForm>(TFormStyle{"TDialogTestMain", 600, 400}, "Main");
    mainForm_->Show();
    errorForm_ = std::make_unique<TErrorForm>(mainForm_.get());
    ShowFailuresIn(*errorForm_);
  }
  void TearDown() override {
    errorForm_.reset();
    mainForm_.reset();
    application_.reset();
  }

  std::unique_ptr<TApplication> application_;
  std::unique_ptr<TForm> mainForm_;
  std::unique_ptr<TErrorForm> errorForm_;
};

// The main window started on the test picture's cells in a temporary
// folder, its failures recorded rather than shown.
class TGameWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    application_ = std::make_unique<TApplication>();
    form_ = std::make_unique<TQuiltraFormProbe>();
    picture_ = folder_ / "cells.bmp";
    ASSERT_TRUE(form_->StartOnCells(picture_));
    ASSERT_TRUE(recorder_.Shows.empty());
  }
  void TearDown() override {
    form_.reset();
    application_.reset();
  }

  TShowRecorder recorder_;
  TTempFolder folder_;
  std::unique_ptr<TApplication> application_;
  std::unique_ptr<TQuiltraFormProbe> form_;
  std::string picture_;
};

}  // namespace test
