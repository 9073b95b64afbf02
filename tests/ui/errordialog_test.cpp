// The error dialog on screen: a probe program that starts like the game fails
// on purpose; the dialog shows the report, writes the log, answers with each
// of its ways out, counts reports that arrive while it is open, and ends the
// process when asked to.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

#include "support/driver.h"

using namespace ui;

namespace {

// One run of the probe from its own folder, where it writes its answers and
// the error log.
class TProbe {
 public:
  explicit TProbe(const std::string& mode) {
    const std::string exe = folder_.File("errorprobe.exe");
    if (!CopyFileA(PathArgument("probe").c_str(), exe.c_str(), FALSE))
      throw std::runtime_error("cannot copy the probe to " + exe);
    process_ = std::make_unique<TProcess>(exe, mode);
  }
  TProcess& Process() { return *process_; }
  std::string File(const std::string& name) const { return folder_.File(name); }
  std::string Results() const { return ReadText(folder_.File("probe-result.txt")); }
  HWND WaitDialog() { return process_->WaitWindow("TErrorForm"); }

 private:
  TTempDir folder_;
  std::unique_ptr<TProcess> process_;
};

HWND Memo(HWND dialog) {
  std::vector<HWND> edits = Children(dialog, "Edit");
  return edits.empty() ? nullptr : edits[0];
}

HWND RecursionLabel(HWND dialog) {
  std::vector<HWND> labels = Children(dialog, "TLabel");
  return labels.empty() ? nullptr : labels[0];
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.rfind(start, 0) == 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

TEST(ErrorDialog, ShowsTheReportAndAppendsItToTheLog) {
  TProbe probe("open");
  HWND dialog = probe.WaitDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Text(dialog), "Error");
  EXPECT_EQ(Text(RecursionLabel(dialog)), "Recursive attempts = None");
  HWND main = probe.Process().FindWindow("TProbeForm");
  ASSERT_NE(main, nullptr);
  EXPECT_NEAR(Centre(dialog).x, Centre(main).x, 1);
  EXPECT_NEAR(Centre(dialog).y, Centre(main).y, 1);

  const std::string memo = Text(Memo(dialog));
  EXPECT_TRUE(StartsWith(memo,
                         "DESCRIPTION\r\n"
                         "Failed to load file.\r\n"
                         "\r\n"
                         "RAISE CONTEXT\r\n"
                         "* Status: Error\r\n"
                         "* File: \"errorprobe.cpp\"\r\n"
                         "* Function: \"TProbeForm::OpenFile\"\r\n"
                         "* Line: "))
      << memo;
  EXPECT_NE(memo.find("* Description: \"There is no such file.\"\r\n"
                      "* Parameter 1: \"" +
                      probe.File("missing.qtg") +
                      "\"\r\n"
                      "* System error code: 2\r\n"
                      "* System error description: \""),
            std::string::npos)
      << memo;
  // The system's text without its full stop and line break.
  const size_t description = memo.find("* System error description: \"") + 30;
  const size_t descriptionEnd = memo.find("\"\r\n", description);
  ASSERT_NE(descriptionEnd, std::string::npos);
  EXPECT_GT(descriptionEnd, description);
  EXPECT_NE(memo[descriptionEnd - 1], '.');
  EXPECT_NE(memo.find("\"\r\n\r\nSHOW CONTEXT\r\n* File: \"errorprobe.cpp\"\r\n* Function: \"\"\r\n"
                      "* Line: "),
            std::string::npos)
      << memo;
  EXPECT_NE(memo.find("\r\n\r\nINFO\r\n* Time: "), std::string::npos);
  EXPECT_NE(memo.find("\r\n* Program: " + probe.File("errorprobe.exe") +
                      "\r\n* Recursive attempts: 0\r\n\r\n"),
            std::string::npos)
      << memo;
  EXPECT_TRUE(EndsWith(memo,
                       "USER INFO\r\n* UserCode: 0\r\n* UserText: \r\n* UserInt: 0\r\n"
                       "* UserReal: 0"))
      << memo;
  Sleep(300);
  SaveScreenshot("error-dialog");

  ASSERT_TRUE(PressButton(dialog, "&Log"));
  ASSERT_TRUE(WaitFor([&] { return Exists(probe.File("Errors.log")); }));
  WaitFor([&] { return !ReadText(probe.File("Errors.log")).empty(); });
  EXPECT_EQ(ReadText(probe.File("Errors.log")), "**********" + memo + "\r\n**********\r\n");
  EXPECT_TRUE(IsWindowVisible(dialog));

  ASSERT_TRUE(PressButton(dialog, "&Okay"));
  EXPECT_EQ(probe.Process().Wait(), 0);
  EXPECT_EQ(probe.Results(), "open show=1 noErrors=0\n");
}

TEST(ErrorDialog, EveryWayOutGivesItsAnswer) {
  struct Way {
    const char* Name;
    std::function<void(HWND dialog)> Close;
    const char* Answer;
  };
  const Way ways[] = {
      {"Okay", [](HWND dialog) { PressButton(dialog, "&Okay"); }, "open show=1 noErrors=0\n"},
      {"Okay (no errors)", [](HWND dialog) { PressButton(dialog, "O&kay (no errors)"); },
       "open show=1 noErrors=1\n"},
      {"Cancel", [](HWND dialog) { PressButton(dialog, "&Cancel"); }, "open show=0 noErrors=0\n"},
      {"close box", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
       "open show=0 noErrors=0\n"},
      {"Esc", [](HWND) { PressKey(VK_ESCAPE); }, "open show=0 noErrors=0\n"},
      // The focus starts on "Okay".
      {"Enter", [](HWND) { PressKey(VK_RETURN); }, "open show=1 noErrors=0\n"},
  };
  for (const Way& way : ways) {
    TProbe probe("open");
    HWND dialog = probe.WaitDialog();
    ASSERT_NE(dialog, nullptr) << way.Name;
    Sleep(200);
    way.Close(dialog);
    EXPECT_EQ(probe.Process().Wait(), 0) << way.Name;
    EXPECT_EQ(probe.Results(), way.Answer) << way.Name;
  }
}

TEST(ErrorDialog, AReportWhileOpenIsCountedNotShown) {
  TProbe probe("nested");
  HWND dialog = probe.WaitDialog();
  ASSERT_NE(dialog, nullptr);
  const std::string memo = Text(Memo(dialog));
  ASSERT_TRUE(WaitFor([&] { return Text(RecursionLabel(dialog)) == "Recursive attempts = 1"; }))
      << Text(RecursionLabel(dialog));
  EXPECT_EQ(Text(dialog), "Catastrophe");
  EXPECT_EQ(Text(Memo(dialog)), memo);
  EXPECT_TRUE(StartsWith(memo, "DESCRIPTION\r\nFailed to load file.\r\n"));
  EXPECT_EQ(probe.Process().FindWindow("#32770"), nullptr);
  // The nested show has already returned, while the first one still waits.
  EXPECT_TRUE(WaitFor([&] { return probe.Results() == "nested show=1 noErrors=1\n"; }))
      << probe.Results();
  const std::string nested = ReadText(probe.File("nested-report.txt"));
  EXPECT_NE(nested.find("* Status: Catastrophe: CATASTROPHIC FAILURE!!! It is highly recommended "
                        "to terminate the program immediately!\r\n"),
            std::string::npos);
  EXPECT_NE(nested.find("* Recursive attempts: 1\r\n"), std::string::npos);

  ASSERT_TRUE(PressButton(dialog, "&Okay"));
  EXPECT_EQ(probe.Process().Wait(), 0);
  EXPECT_EQ(probe.Results(), "nested show=1 noErrors=1\nopen show=1 noErrors=0\n");
}

TEST(ErrorDialog, TerminateEndsTheProcessAtOnceWithExitCodeOne) {
  TProbe probe("open");
  HWND dialog = probe.WaitDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(PressButton(dialog, "&Terminate application immediately"));
  EXPECT_EQ(probe.Process().Wait(), 1);
  EXPECT_FALSE(Exists(probe.File("probe-result.txt")));
}

TEST(ErrorDialog, AFailureAfterTheMessageLoopIsShownWithTheDefaultHeadline) {
  TProbe probe("exit");
  HWND dialog = probe.WaitDialog();
  ASSERT_NE(dialog, nullptr);
  Sleep(500);
  ASSERT_TRUE(IsWindowVisible(dialog));
  const std::string memo = Text(Memo(dialog));
  EXPECT_TRUE(StartsWith(memo,
                         "DESCRIPTION\r\n"
                         "Failed to perform.\r\n"
                         "\r\n"
                         "RAISE CONTEXT\r\n"
                         "* Status: Error\r\n"
                         "* File: \"errorprobe.cpp\"\r\n"
                         "* Function: \"WinMain\"\r\n"))
      << memo;
  EXPECT_NE(memo.find("* Description: \"Unhandled exception: the probe ends badly\"\r\n"
                      "* Parameter 1: \"errorprobe.cpp\"\r\n"),
            std::string::npos)
      << memo;
  ASSERT_TRUE(PressButton(dialog, "&Okay"));
  EXPECT_EQ(probe.Process().Wait(), 0);
}

TEST(ErrorDialog, WithoutTheDialogAPlainBoxSaysSo) {
  TProbe probe("nodialog");
  HWND box = WaitMessageBox(probe.Process());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Text(box), "Error");
  EXPECT_EQ(MessageBoxText(box), "The error-dialog form is not created. You must create it.");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(probe.Process().Wait(), 0);
  EXPECT_EQ(probe.Results(), "open show=0 noErrors=0\n");
}
