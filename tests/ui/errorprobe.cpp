// A small program that fails on purpose, for the error dialog's UI test. It
// starts like the game (error reporting, application, main window, error
// dialog) and then, as its first parameter asks:
//   open      runs a command whose callee cannot open a file;
//   nested    the same, and while the dialog is open a second command fails;
//   exit      closes at once and fails after the message loop, in the entry
//             point's own show step;
//   nodialog  runs the failing command without creating the error dialog.
// It appends what each show answered to "probe-result.txt" next to itself.
#include <windows.h>

#include <fstream>
#include <memory>
#include <string>

#include "core/statusframe.h"
#include "forms/application.h"
#include "forms/form.h"
#include "game/errorform.h"
#include "platform/error.h"
#include "platform/handles.h"
#include "platform/program.h"

namespace {

std::string Mode;

void AppendResult(const std::string& line) {
  std::ofstream(GetProgramFilePath("probe-result.txt"), std::ios::app | std::ios::binary)
      << line << "\n";
}

void After(UINT ms, TIMERPROC action) {
  SetTimer(nullptr, 0, ms, action);
}

// The show step of a command, keeping Show's answer for the test.
void ShowStepWithAnswer(TStatusFrame& frame, int line, const std::string& headline,
                        const std::string& tag, bool flagBefore) {
  bool noErrors = flagBefore;
  bool answer = false;
  if (frame.Failed()) {
    frame.Local.NoteShow(frame.File(), "", line);
    answer = frame.Local.Show(headline, &noErrors);
  }
  frame.Local.Reset(fsPerfect);
  AppendResult(tag + " show=" + std::to_string(answer) + " noErrors=" + std::to_string(noErrors));
}

void OpenFile(const std::string& path) {
  STATUS_FRAME("TProbeForm::OpenFile");
  frame.Run([&] {
    SetLastError(0);
    TKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    if (IsSystemError())
      return frame.Raise(__LINE__, "There is no such file.", path, "", GetLastError());
  });
}

// Arrives while the first report is still open.
void CALLBACK NestedCommand(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  STATUS_FRAME("TProbeForm::NestedMenuClick");
  frame.Run([&] { frame.Raise(__LINE__, "Nested failure.", "", "", 0, fsCatastrophe); });
  // The report as the dialog would get it, with its counter at this moment.
  std::ofstream(GetProgramFilePath("nested-report.txt"), std::ios::binary)
      << frame.Local.GetReportText();
  ShowStepWithAnswer(frame, __LINE__, "Failed again.", "nested", true);
}

void CALLBACK OpenCommand(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  STATUS_FRAME("TProbeForm::OpenMenuClick");
  frame.Run([&] {
    OpenFile(GetProgramFilePath("missing.qtg"));
    if (frame.Adopt()) return;
  });
  if (Mode == "nested") After(300, NestedCommand);
  ShowStepWithAnswer(frame, __LINE__, "Failed to load file.", "open", false);
  Application->MainForm->Close();
}

void CALLBACK CloseMainForm(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  Application->MainForm->Close();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  STATUS_FRAME("WinMain");
  Mode = GetProgramParameter(1);
  std::unique_ptr<TApplication> application;
  std::unique_ptr<TForm> mainForm;
  std::unique_ptr<TErrorForm> errorForm;
  frame.Run([&] {
    InstallErrorReporting();
    application = std::make_unique<TApplication>();
    application->Title = "Quiltra";
    mainForm = std::make_unique<TForm>(TFormStyle{"TProbeForm", 400, 300, true}, "Error probe");
    application->OnException = [](const std::string& message) {
      TFunStatContext::OnApplicationException(message);
    };
    if (Mode != "nodialog") {
      errorForm = std::make_unique<TErrorForm>(mainForm.get());
      ShowFailuresIn(*errorForm);
    }
    After(100, Mode == "exit" ? CloseMainForm : OpenCommand);
    application->Run();
    if (Mode == "exit") THROW_PROGRAM_ERROR("the probe ends badly");
  });
  frame.ShowStep(__LINE__, "");
  errorForm.reset();
  mainForm.reset();
  application.reset();
  return 0;
}
