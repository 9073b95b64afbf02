// The function status context: how every fallible operation tells its caller
// how it ended, where a failure was raised and where it was shown.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class TFunStatContext;

// What a report needs from the running system besides the context itself.
struct TReportEnvironment {
  std::string TimeText;           // "* Time: " value
  std::string ProgramPath;        // "* Program: " value
  int32_t RecursiveAttempts = 0;  // the error dialog's counter, 0 without a dialog
  std::string SystemErrorText;    // the message table's text for the code
};

enum TFunStatus : int32_t {
  fsPerfect = 0,
  fsWarning = 1,
  fsError = 2,
  fsBeginFunctionError = 3,
  fsPanic = 4,
  fsCatastrophe = 5,
};

// The raised part of a context: how an operation ended and, for a failure,
// where it was raised and why. Copied, reset and raised as one.
struct TFunStatRaise {
  int32_t Status = fsPerfect;
  std::string RaiseFile;
  std::string RaiseFunction;
  int32_t RaiseLine = 0;
  std::string Description;
  std::string Parameter1;
  std::string Parameter2;
  uint32_t SystemErrorCode = 0;
};

// User information: carried and printed, never set by the program.
struct TFunStatUser {
  int32_t UserCode = 0;
  std::string UserText;
  int32_t UserInt = 0;
  double UserReal = 0.0;
};

class TFunStatContext : public TFunStatRaise, public TFunStatUser {
 public:
  // Show location.
  std::string ShowFile;
  std::string ShowFunction;
  int32_t ShowLine = 0;

  TFunStatContext() = default;
  // A copy starts with an empty show location.
  TFunStatContext(const TFunStatContext& source);
  // Contexts are copied with Assign only, which keeps the show location.
  TFunStatContext& operator=(const TFunStatContext&) = delete;

  void Reset(int32_t level);
  void ResetUserInfo();
  void Begin(const std::string& file, const std::string& function, int32_t line);
  void Raise(const std::string& file, const std::string& function, int32_t line, int32_t level,
             const std::string& description, const std::string& parameter1,
             const std::string& parameter2, uint32_t systemErrorCode);
  void NoteShow(const std::string& file, const std::string& function, int32_t line);
  void Assign(const TFunStatContext& source);

  bool Failed() const { return Status >= fsError; }
  TFunStatRaise& Raised() { return *this; }
  const TFunStatRaise& Raised() const { return *this; }
  TFunStatUser& User() { return *this; }

  static std::string GetStatusText(int32_t level);

  // The report of this context (see BuildReportText), with the environment
  // that ReportEnvironment supplies.
  std::string GetReportText() const;
  // Shows this context through ShowHandler with the description as headline.
  // True for "Okay" (either kind) and for a report counted by an open dialog.
  bool Show(const std::string& description, bool* noErrors = nullptr);

  // Where the running system plugs in: the error dialog (or its fallback
  // box) and the parts of a report that come from the system.
  static std::function<bool(const TFunStatContext& context, const std::string& headline,
                            bool* noErrors)>
      ShowHandler;
  static std::function<TReportEnvironment(uint32_t systemErrorCode)> ReportEnvironment;

  // Installed as the application's handler for exceptions that escape an
  // event; raises, shows and resets on FunStatContext itself.
  static void OnApplicationException(const std::string& message);
};

// The report text: CR LF lines, a leading empty line, no trailing break.
std::string BuildReportText(const TFunStatContext& context, const TReportEnvironment& environment);

// The error dialog's text: "DESCRIPTION", the headline ("Failed to perform."
// when empty) and the report.
std::string BuildDialogText(const std::string& headline, const std::string& report);

// The one channel through which an operation hands its final status to its
// caller.
extern TFunStatContext FunStatContext;
