// The error dialog in process: its layout, the error log's records and size
// rule, the Log button, and reports that arrive while it is open.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "core/funstat.h"
#include "testsupport.h"

namespace {

// The dialog under test, for the steps run from its message loop.
TErrorForm* ErrorForm = nullptr;

int Sounds = 0;
void CountSound() {
  ++Sounds;
}

// One step run from the dialog's own message loop, once it is open.
std::function<void()> WhileShown;
void CALLBACK RunWhileShown(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  auto step = std::move(WhileShown);
  if (step) step();
  // Never leave the test hanging in the dialog.
  if (ErrorForm && ErrorForm->ModalResult == mrNone) ErrorForm->ModalResult = mrCancel;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM list) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> VisibleThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

class ErrorFormTest : public test::TDialogTest {
 protected:
  void SetUp() override {
    TDialogTest::SetUp();
    ErrorForm = errorForm_.get();
    errorForm_->LogPath = LogPath();
    errorForm_->LogWrittenSound = CountSound;
    Sounds = 0;
  }

  void TearDown() override {
    ErrorForm = nullptr;
    TDialogTest::TearDown();
  }

  std::string LogPath() const { return folder_ / "Errors.log"; }

  static std::string Record(const std::string& dialogText) {
    return "**********" + dialogText + "\r\n**********\r\n";
  }

  // Shows a failure the way a command's show step does.
  bool ShowFailure(const std::string& headline, bool* noErrors = nullptr) {
    TFunStatContext context;
    context.Raise("C:\\Work\\gamefiles.cpp", "TQuiltraForm::SaveGame", 10, fsError,
                  "Failed to create file.", "C:\\Games\\a.qtg", "", 5);
    context.NoteShow("gamefiles.cpp", "", 20);
    SetTimer(nullptr, 0, 50, RunWhileShown);
    return context.Show(headline, noErrors);
  }

  test::TTempFolder folder_;
};

}  // namespace

TEST_F(ErrorFormTest, LaidOutAsTheDialogResource) {
  TErrorForm& form = *errorForm_;
  EXPECT_EQ(form.Caption(), "Error");
  EXPECT_EQ(form.ClientWidth(), 340);
  EXPECT_EQ(form.ClientHeight(), 265);
  EXPECT_EQ(test::FixedDialogFaults(form, mainForm_->Handle()), "");
  EXPECT_EQ(form.OkayButton->Caption(), "&Okay");
  EXPECT_EQ(form.CancelButton->Caption(), "&Cancel");
  EXPECT_EQ(form.OkayNoErrorsButton->Caption(), "O&kay (no errors)");
  EXPECT_EQ(form.TerminateButton->Caption(), "&Terminate application immediately");
  EXPECT_EQ(form.LogButton->Caption(), "&Log");
  EXPECT_EQ(form.HelpButton->Caption(), "&Help");
  EXPECT_EQ(form.RecursionLabel->Caption(), "Recursion");

  // The memo across the top, three centred rows of buttons below it (the
  // answers; "Terminate"; "Log" and "Help"), the recursion count at the foot.
  EXPECT_EQ(test::FormLayoutFaults(form, {.Gap = 5, .Grid = 5}), "");
  EXPECT_EQ(test::RowFaults(test::Handles({form.MainMemo}), true), "");
  const std::vector<HWND> rows[] = {
      test::Handles({form.OkayButton, form.OkayNoErrorsButton, form.CancelButton}),
      test::Handles({form.TerminateButton}), test::Handles({form.LogButton, form.HelpButton})};
  RECT above = test::PlaceInParent(form.MainMemo->Handle());
  for (const std::vector<HWND>& row : rows) {
    EXPECT_EQ(test::RowFaults(row, true), "");
    EXPECT_GE(test::PlaceInParent(row.front()).top, above.bottom);
    above = test::PlaceInParent(row.front());
  }
  EXPECT_EQ(test::ColumnFaults(test::Handles({form.MainMemo, form.RecursionLabel})), "");
  EXPECT_GE(test::PlaceInParent(form.RecursionLabel->Handle()).top, above.bottom);

  // A read-only memo that wraps long lines and scrolls vertically.
  const LONG memoStyle = GetWindowLongA(form.MainMemo->Handle(), GWL_STYLE);
  EXPECT_TRUE(memoStyle & ES_READONLY);
  EXPECT_TRUE(memoStyle & ES_MULTILINE);
  EXPECT_TRUE(memoStyle & WS_VSCROLL);
  EXPECT_FALSE(memoStyle & (ES_AUTOHSCROLL | WS_HSCROLL));

  LOGFONTA font{};
  ASSERT_TRUE(GetObjectA(form.Font(), sizeof font, &font));
  EXPECT_STREQ(font.lfFaceName, "Arial");
  EXPECT_EQ(font.lfHeight, -12);

  // Tab order: the memo, then the buttons in the order of the table.
  HWND tab = GetWindow(form.Handle(), GW_CHILD);
  for (TControl* control :
       {static_cast<TControl*>(form.MainMemo), static_cast<TControl*>(form.OkayButton),
        static_cast<TControl*>(form.CancelButton),
        static_cast<TControl*>(form.OkayNoErrorsButton)}) {
    EXPECT_EQ(tab, control->Handle());
    tab = GetWindow(tab, GW_HWNDNEXT);
  }
}

TEST_F(ErrorFormTest, ShowsTheReportWithOkayFocusedAndAnswers) {
  std::string memo, label;
  bool okayFocused = false, visible = false;
  WhileShown = [&] {
    visible = ErrorForm->Visible();
    okayFocused = ErrorForm->OkayButton->Focused();
    memo = ErrorForm->MainMemo->Text();
    label = ErrorForm->RecursionLabel->Caption();
    ErrorForm->OkayNoErrorsButton->Click();
  };
  bool noErrors = false;
  EXPECT_TRUE(ShowFailure("Failed to save game.", &noErrors));
  EXPECT_TRUE(noErrors);
  EXPECT_TRUE(visible);
  EXPECT_TRUE(okayFocused);
  EXPECT_EQ(label, "Recursive attempts = None");
  EXPECT_EQ(
      memo.rfind("DESCRIPTION\r\nFailed to save game.\r\n\r\nRAISE CONTEXT\r\n* Status: Error\r\n"
                 "* File: \"gamefiles.cpp\"\r\n* Function: \"TQuiltraForm::SaveGame\"\r\n",
                 0),
      0u);
  EXPECT_NE(memo.find("* System error code: 5\r\n* System error description: \""),
            std::string::npos);
  EXPECT_NE(memo.find("* Recursive attempts: 0\r\n"), std::string::npos);
  EXPECT_EQ(ErrorForm->Caption(), "Error");
  EXPECT_FALSE(ErrorForm->Visible());
  EXPECT_EQ(ErrorForm->RecursionCount, 0);

  WhileShown = [] { ErrorForm->CancelButton->Click(); };
  noErrors = true;
  EXPECT_FALSE(ShowFailure("", &noErrors));
  EXPECT_FALSE(noErrors);
}

// UI Automation and screen readers press a button by sending BM_CLICK from
// another thread: the dialog ends at once, though nothing is posted after it.
TEST_F(ErrorFormTest, EndsOnAClickSentFromAnotherThread) {
  std::atomic<bool> ended = false, rescued = false;
  std::thread automation([&] {
    HWND okay = ErrorForm->OkayButton->Handle();
    while (!IsWindowVisible(ErrorForm->Handle())) Sleep(10);
    Sleep(500);  // painted, and idle in its loop
    SendMessageA(okay, BM_CLICK, 0, 0);
    for (int waited = 0; !ended && waited < 5000; waited += 10) Sleep(10);
    if (!ended) {  // never leave the test hanging
      rescued = true;
      PostMessageA(ErrorForm->Handle(), WM_NULL, 0, 0);
    }
  });
  TFunStatContext context;
  context.Raise("gamefiles.cpp", "TQuiltraForm::SaveGame", 10, fsError, "Failed.", "", "", 0);
  const bool okay = context.Show("Failed to save game.", nullptr);
  ended = true;
  automation.join();
  EXPECT_FALSE(rescued) << "the dialog waited for posted input";
  EXPECT_TRUE(okay);
}

TEST_F(ErrorFormTest, CentredOnTheMainWindowAndWholeOnScreen) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT main{}, dialog{};
  auto measure = [&] {
    GetWindowRect(ErrorForm->Handle(), &dialog);
    ErrorForm->OkayButton->Click();
  };
  WhileShown = measure;
  SetWindowPos(mainForm_->Handle(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  GetWindowRect(mainForm_->Handle(), &main);
  ShowFailure("Failed to save game.");
  EXPECT_NEAR((dialog.left + dialog.right) / 2, (main.left + main.right) / 2, 1);
  EXPECT_NEAR((dialog.top + dialog.bottom) / 2, (main.top + main.bottom) / 2, 1);

  // A main window reaching past the top left corner.
  SetWindowPos(mainForm_->Handle(), nullptr, work.left - 250, work.top - 150, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  WhileShown = measure;
  ShowFailure("Failed to save game.");
  EXPECT_EQ(dialog.left, work.left);
  EXPECT_EQ(dialog.top, work.top);
}

TEST_F(ErrorFormTest, ReportsWhileOpenAreOnlyCounted) {
  std::string memoBefore, memoAfter, caption, label, nestedReport;
  bool nestedAnswer = false, flagAfterNested = false;
  WhileShown = [&] {
    memoBefore = ErrorForm->MainMemo->Text();
    TFunStatContext nested;
    nested.Raise("pointer.cpp", "Nested", 3, fsCatastrophe, "Again.", "", "", 0);
    nestedReport = nested.GetReportText();
    flagAfterNested = true;
    nestedAnswer = nested.Show("Failed again.", &flagAfterNested);
    caption = ErrorForm->Caption();
    label = ErrorForm->RecursionLabel->Caption();
    nested.Show("Failed a third time.");
    memoAfter = ErrorForm->MainMemo->Text();
    EXPECT_EQ(ErrorForm->RecursionLabel->Caption(), "Recursive attempts = 2");
    EXPECT_EQ(VisibleThreadWindows().size(), 2u);  // the main window and the one dialog
    ErrorForm->OkayButton->Click();
  };
  EXPECT_TRUE(ShowFailure("Failed to save game."));
  EXPECT_TRUE(nestedAnswer);
  EXPECT_TRUE(flagAfterNested);  // not touched
  EXPECT_EQ(caption, "Catastrophe");
  EXPECT_EQ(label, "Recursive attempts = 1");
  EXPECT_NE(nestedReport.find("* Recursive attempts: 1\r\n"), std::string::npos);
  EXPECT_EQ(memoAfter, memoBefore);
  EXPECT_EQ(ErrorForm->RecursionCount, 0);

  // The next report opens the dialog again.
  WhileShown = [] { ErrorForm->Close(); };
  bool noErrors = true;
  EXPECT_FALSE(ShowFailure("Failed to save game.", &noErrors));
  EXPECT_FALSE(noErrors);
  EXPECT_EQ(ErrorForm->Caption(), "Error");
}

TEST_F(ErrorFormTest, LogRecordsAndTheSizeRule) {
  const std::string text = "DESCRIPTION\r\nFailed to save game.\r\n\r\nRAISE CONTEXT";
  errorForm_->MainMemo->SetText(text);

  // Missing: created with one record; a second record follows the first.
  ASSERT_TRUE(errorForm_->WriteLog());
  EXPECT_EQ(test::ReadText(LogPath()), Record(text));
  ASSERT_TRUE(errorForm_->WriteLog());
  EXPECT_EQ(test::ReadText(LogPath()), Record(text) + Record(text));

  // Exactly 10000 bytes: appended to.
  const std::string full(10000, 'x');
  test::WriteText(LogPath(), full);
  ASSERT_TRUE(errorForm_->WriteLog());
  EXPECT_EQ(test::ReadText(LogPath()), full + Record(text));

  // One byte more: emptied first.
  test::WriteText(LogPath(), full + "y");
  ASSERT_TRUE(errorForm_->WriteLog());
  EXPECT_EQ(test::ReadText(LogPath()), Record(text));
}

TEST_F(ErrorFormTest, UnwritableLogFailsSilently) {
  errorForm_->MainMemo->SetText("DESCRIPTION\r\nX");
  // Held without sharing by someone else.
  test::WriteText(LogPath(), "old");
  HANDLE held = CreateFileA(LogPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(errorForm_->WriteLog());
  CloseHandle(held);
  EXPECT_EQ(test::ReadText(LogPath()), "old");

  // A folder where the log should be, and a folder that does not exist.
  errorForm_->LogPath = folder_.Path();
  EXPECT_FALSE(errorForm_->WriteLog());
  errorForm_->LogPath = folder_ / "missing\\Errors.log";
  EXPECT_FALSE(errorForm_->WriteLog());
  EXPECT_EQ(GetFileAttributesA((folder_ / "missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ErrorFormTest, LogButtonSoundsOnlyOnSuccessAndTheDialogStays) {
  errorForm_->LogPath = folder_ / "missing\\Errors.log";
  bool stillOpen = false;
  size_t windows = 0;
  WhileShown = [&] {
    ErrorForm->LogButton->Click();
    stillOpen = ErrorForm->Visible() && ErrorForm->ModalResult == mrNone;
    windows = VisibleThreadWindows().size();
    ErrorForm->OkayButton->Click();
  };
  ShowFailure("Failed to save game.");
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(windows, 2u);  // no message box
  EXPECT_EQ(Sounds, 0);

  errorForm_->LogPath = LogPath();
  std::string memo;
  WhileShown = [&] {
    ErrorForm->LogButton->Click();
    stillOpen = ErrorForm->Visible() && ErrorForm->ModalResult == mrNone;
    memo = ErrorForm->MainMemo->Text();
    ErrorForm->OkayButton->Click();
  };
  ShowFailure("Failed to save game.");
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(Sounds, 1);
  EXPECT_EQ(test::ReadText(LogPath()), Record(memo));
}

TEST_F(ErrorFormTest, WithoutTheDialogTheReportCountsNoAttempts) {
  ErrorForm = nullptr;
  errorForm_.reset();
  TFunStatContext context;
  context.Raise("a.cpp", "A", 1, fsError, "D.", "", "", 0);
  EXPECT_NE(context.GetReportText().find("* Recursive attempts: 0\r\n"), std::string::npos);
}

TEST(SystemErrorText, MessageTableTextWithoutTrailingStopsAndBreaks) {
  EXPECT_EQ(TrimMessageText("Access is denied.\r\n"), "Access is denied");
  EXPECT_EQ(TrimMessageText("Done. . \t"), "Done");
  EXPECT_EQ(TrimMessageText("Line one.\r\nLine two.\r\n"), "Line one.\r\nLine two");
  EXPECT_EQ(TrimMessageText(std::string(300, 'a')), std::string(255, 'a'));
  EXPECT_EQ(TrimMessageText(std::string(254, 'a') + ". more"), std::string(254, 'a'));
  const std::string denied = SystemErrorText(ERROR_ACCESS_DENIED);
  EXPECT_FALSE(denied.empty());
  EXPECT_NE(denied.back(), '.');
  EXPECT_GT(static_cast<unsigned char>(denied.back()), ' ');
  EXPECT_EQ(SystemErrorText(0xDEADBEEF), "");
}
