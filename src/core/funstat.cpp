#include "funstat.h"

TFunStatContext FunStatContext;

TFunStatContext::TFunStatContext(const TFunStatContext& source)
    : Status(source.Status),
      RaiseFile(source.RaiseFile),
      RaiseFunction(source.RaiseFunction),
      RaiseLine(source.RaiseLine),
      Description(source.Description),
      Parameter1(source.Parameter1),
      Parameter2(source.Parameter2),
      SystemErrorCode(source.SystemErrorCode),
      UserCode(source.UserCode),
      UserText(source.UserText),
      UserInt(source.UserInt),
      UserReal(source.UserReal) {}

void TFunStatContext::Reset(int32_t level) {
  Status = level;
  RaiseFile.clear();
  RaiseFunction.clear();
  RaiseLine = 0;
  Description.clear();
  Parameter1.clear();
  Parameter2.clear();
  SystemErrorCode = 0;
}

void TFunStatContext::ResetUserInfo() {
  UserCode = 0;
  UserText.clear();
  UserInt = 0;
  UserReal = 0.0;
}

void TFunStatContext::Begin(const std::string& file, const std::string& function, int32_t line) {
  Status = fsBeginFunctionError;
  RaiseFile = file;
  RaiseFunction = function;
  RaiseLine = line;
  Description.clear();
  Parameter1.clear();
  Parameter2.clear();
  SystemErrorCode = 0;
}

void TFunStatContext::Raise(const std::string& file, const std::string& function, int32_t line,
                            int32_t level, const std::string& description,
                            const std::string& parameter1, const std::string& parameter2,
                            uint32_t systemErrorCode) {
  Status = level;
  RaiseFile = file;
  RaiseFunction = function;
  RaiseLine = line;
  Description = description;
  Parameter1 = parameter1;
  Parameter2 = parameter2;
  SystemErrorCode = systemErrorCode;
}

void TFunStatContext::NoteShow(const std::string& file, const std::string& function, int32_t line) {
  ShowFile = file;
  ShowFunction = function;
  ShowLine = line;
}

void TFunStatContext::Assign(const TFunStatContext& source) {
  if (&source == this) return;
  Status = source.Status;
  RaiseFile = source.RaiseFile;
  RaiseFunction = source.RaiseFunction;
  RaiseLine = source.RaiseLine;
  Description = source.Description;
  Parameter1 = source.Parameter1;
  Parameter2 = source.Parameter2;
  SystemErrorCode = source.SystemErrorCode;
  UserCode = source.UserCode;
  UserText = source.UserText;
  UserInt = source.UserInt;
  UserReal = source.UserReal;
}

std::string TFunStatContext::GetStatusText(int32_t level) {
  switch (level) {
    case fsPerfect:
      return "Perfect";
    case fsWarning:
      return "Warning";
    case fsError:
      return "Error";
    case fsBeginFunctionError:
      return "Begin function error";
    case fsPanic:
      return "Panic";
    case fsCatastrophe:
      return "Catastrophe";
    default:
      return "Unknown function status";
  }
}

std::function<bool(const TFunStatContext&, const std::string&, bool*)> TFunStatContext::ShowHandler;
std::function<TReportEnvironment(uint32_t)> TFunStatContext::ReportEnvironment;

std::string TFunStatContext::GetReportText() const {
  TReportEnvironment environment;
  try {
    if (ReportEnvironment) environment = ReportEnvironment(SystemErrorCode);
  } catch (...) {
    // A report without its system parts is better than none.
  }
  return BuildReportText(*this, environment);
}

bool TFunStatContext::Show(const std::string& description, bool* noErrors) {
  try {
    if (ShowHandler) return ShowHandler(*this, description, noErrors);
  } catch (...) {
  }
  if (noErrors) *noErrors = false;
  return false;
}
