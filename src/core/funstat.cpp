#include "funstat.h"

TFunStatContext FunStatContext;

TFunStatContext::TFunStatContext(const TFunStatContext& source)
    : TFunStatRaise(source), TFunStatUser(source) {}

void TFunStatContext::Reset(int32_t level) {
  Raised() = TFunStatRaise{level, {}, {}, 0, {}, {}, {}, 0};
}

void TFunStatContext::ResetUserInfo() {
  User() = TFunStatUser{};
}

void TFunStatContext::Begin(const std::string& file, const std::string& function, int32_t line) {
  Raised() = TFunStatRaise{fsBeginFunctionError, file, function, line, {}, {}, {}, 0};
}

void TFunStatContext::Raise(const std::string& file, const std::string& function, int32_t line,
                            int32_t level, const std::string& description,
                            const std::string& parameter1, const std::string& parameter2,
                            uint32_t systemErrorCode) {
  Raised() = TFunStatRaise{level,       file,       function,   line,
                           description, parameter1, parameter2, systemErrorCode};
}

void TFunStatContext::NoteShow(const std::string& file, const std::string& function, int32_t line) {
  ShowFile = file;
  ShowFunction = function;
  ShowLine = line;
}

void TFunStatContext::Assign(const TFunStatContext& source) {
  if (&source == this) return;
  Raised() = source;
  User() = source;
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
