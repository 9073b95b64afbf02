#include "errorform.h"

#include <windows.h>

#include "core/funstat.h"
#include "forms/application.h"
#include "game/filelocations.h"
#include "game/help.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/messages.h"
#include "platform/program.h"

namespace {

// Above this size the log is emptied before the next record.
constexpr uint64_t kLogSizeLimit = 10000;
const char* const kLogRule = "**********";

}  // namespace

TErrorForm::TErrorForm(TForm* owner)
    : TForm(TFormStyle{"TErrorForm", 340, 265}, "Error", owner),
      LogPath(ErrorLogPath()),
      LogWrittenSound(BeepDefault) {
  CreateComponents();
  RecursionCount = 0;
}

TErrorForm::~TErrorForm() {
  // From here on failures go to the plain fallback box again.
  if (showsFailures_) SetErrorDialogEntry(nullptr, nullptr);
}

void ShowFailuresIn(TErrorForm& dialog) {
  if (Application)
    Application->OnException = [](const std::string& message) {
      TFunStatContext::OnApplicationException(message);
    };
  SetErrorDialogEntry(
      [&dialog](const std::string& caption, const std::string& headline, const std::string& report,
                bool* noErrors) { return dialog.ShowError(caption, headline, report, noErrors); },
      [&dialog] { return dialog.RecursionCount; });
  dialog.showsFailures_ = true;
}

void TErrorForm::CreateComponents() {
  SetFont(Application->GetFont("Arial", 12));
  ShowHint = true;

  // clang-format off
  //                                   left  top  width height
  MainMemo = Add<TMemo>(                  5,   5,  330,  120, true);
  OkayButton = Add<TButton>(             25, 135,   75,   25, "&Okay", mrOk);
  CancelButton = Add<TButton>(          240, 135,   75,   25, "&Cancel", mrCancel);
  OkayNoErrorsButton = Add<TButton>(    110, 135,  120,   25, "O&kay (no errors)", mrYes);
  TerminateButton = Add<TButton>(        65, 170,  210,   25, "&Terminate application immediately");
  LogButton = Add<TButton>(              90, 205,   75,   25, "&Log");
  HelpButton = Add<TButton>(            175, 205,   75,   25, "&Help");
  RecursionLabel = Add<TLabel>(           5, 240, "Recursion");
  // clang-format on
  SetTabOrder({MainMemo, OkayButton, CancelButton, OkayNoErrorsButton, TerminateButton, LogButton,
               HelpButton});

  TForm::CancelButton = CancelButton;  // Esc
  OnActivate = [this] { FormActivate(); };
  TerminateButton->OnClick = [this] { TerminateButtonClick(); };
  LogButton->OnClick = [this] { LogButtonClick(); };
  HelpButton->OnClick = [this] { HelpButtonClick(); };
}

bool TErrorForm::ShowError(const std::string& caption, const std::string& headline,
                           const std::string& report, bool* noErrors) {
  // A report that arrives while one is open is only counted: the user keeps
  // reading the first one.
  if (RecursionCount > 0) {
    try {
      SetCaption(caption);
      ++RecursionCount;
      RecursionLabel->SetCaption("Recursive attempts = " + std::to_string(RecursionCount - 1));
    } catch (...) {
    }
    return true;
  }
  try {
    SetCaption(caption);
    RecursionCount = 1;
    RecursionLabel->SetCaption("Recursive attempts = None");
    MainMemo->SetText(BuildDialogText(headline, report));
    if (!Visible()) {
      // Once the message loop has ended, its quit message still waits and
      // would close the dialog at once: a failure at the very end must be
      // readable too. Nothing pumps messages after this dialog.
      MSG quit{};
      if (Application && Application->Terminated())
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
      CenterOn(Application ? Application->MainForm : nullptr);
      ShowModal();
    }
  } catch (...) {
    // Whatever broke, the answer is the dialog's last result.
  }
  RecursionCount = 0;
  const bool okay = ModalResult == mrOk || ModalResult == mrYes;
  if (noErrors) *noErrors = ModalResult == mrYes;
  return okay;
}

bool AppendErrorLog(const std::string& path, const std::string& text) {
  try {
    SetLastError(0);
    TKernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    // Opening an existing log leaves "already exists", which is success.
    if (!file.Valid() || IsSystemErrorExceptExisting()) return false;

    // A warning from the size query is not adopted: an unknown size is 0.
    if (GetFileSize(file.Get()) > kLogSizeLimit) {
      // The position is still the start: the log becomes empty.
      SetLastError(0);
      SetEndOfFile(file.Get());
    }
    SetLastError(0);
    SetFilePointer(file.Get(), 0, nullptr, FILE_END);

    const std::string record = std::string(kLogRule) + text + "\r\n" + kLogRule + "\r\n";
    SetLastError(0);
    DWORD written = 0;
    const BOOL wrote = ::WriteFile(file.Get(), record.data(), static_cast<DWORD>(record.size()),
                                   &written, nullptr);
    file.Close();
    return wrote && written == record.size() && !IsSystemError();
  } catch (...) {
    return false;  // the handle closes itself
  }
}

bool TErrorForm::WriteLog() {
  return AppendErrorLog(LogPath, MainMemo->Text());
}

void TErrorForm::FormActivate() {
  OkayButton->SetFocus();
}

void TErrorForm::TerminateButtonClick() {
  TerminateImmediately();
}

void TErrorForm::LogButtonClick() {
  // A log that cannot be written is not reported: the dialog simply stays.
  if (WriteLog() && LogWrittenSound) LogWrittenSound();
}

void TErrorForm::HelpButtonClick() {
  ShowHelp(0);
}
