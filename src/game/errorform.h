// The error dialog: the headline and full report of a failure, a counter for
// reports that arrive while it is open, and the error log.
#pragma once

#include <cstdint>
#include <string>

#include "forms/controls.h"
#include "forms/form.h"

class TErrorForm : public TForm {
 public:
  // Created once at start-up, after the main window, its owner.
  explicit TErrorForm(TForm* owner);
  ~TErrorForm() override;

  // --- components, in tab order ---
  TMemo* MainMemo;
  TButton* OkayButton;
  TButton* CancelButton;  // also the form's own CancelButton, for Esc
  TButton* OkayNoErrorsButton;
  TButton* TerminateButton;
  TButton* LogButton;
  TButton* HelpButton;
  TLabel* RecursionLabel;

  // 0 while no report is open, 1 while one is shown, one more for each report
  // that arrives meanwhile.
  int32_t RecursionCount = 0;
  // The error log: "Errors.log" next to the executable, or in the user's
  // own folder when the program's folder cannot be written.
  std::string LogPath;
  // The sound that confirms a written log record.
  void (*LogWrittenSound)() = nullptr;

  // Shows a report modally. True for "Okay" and "Okay (no errors)" (which
  // alone sets the flag) and at once for a report counted while open.
  bool ShowError(const std::string& caption, const std::string& headline, const std::string& report,
                 bool* noErrors = nullptr);
  // Appends the dialog's text to the log; true when it was written.
  bool WriteLog();

  void FormActivate();
  void TerminateButtonClick();
  void LogButtonClick();
  void HelpButtonClick();

 private:
  friend void ShowFailuresIn(TErrorForm& dialog);
  void CreateComponents();
  bool showsFailures_ = false;
};

// Hands the dialog to the error reporting: from then on every shown failure,
// and every exception that escapes an event, comes to it until it is
// destroyed; then the plain fallback box takes them again.
void ShowFailuresIn(TErrorForm& dialog);

// Appends a record of the text to the log at path, emptied first when it has
// grown too large; true when it was written. A failure the player need not
// see (a recovery copy that could not be read) goes there alone.
bool AppendErrorLog(const std::string& path, const std::string& text);
