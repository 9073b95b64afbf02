#include <cstdio>

#include "funstat.h"
#include "pathtext.h"

namespace {

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

std::string GeneralFloat(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  return buffer;
}

}  // namespace

std::string BuildReportText(const TFunStatContext& context, const TReportEnvironment& environment) {
  const std::string crlf = "\r\n";
  std::string text;
  // Whatever goes wrong while building, the text so far is the report.
  try {
    std::string status = TFunStatContext::GetStatusText(context.Status);
    if (context.Status == fsCatastrophe)
      status +=
          ": CATASTROPHIC FAILURE!!! It is highly recommended to terminate the program "
          "immediately!";
    text += crlf + "RAISE CONTEXT";
    text += crlf + "* Status: " + status;
    text += crlf + "* File: " + Quoted(GetFileNameOnly(context.RaiseFile));
    text += crlf + "* Function: " + Quoted(context.RaiseFunction);
    text += crlf + "* Line: " + std::to_string(context.RaiseLine);
    text += crlf + "* Description: " + Quoted(context.Description);
    if (!context.Parameter1.empty()) text += crlf + "* Parameter 1: " + Quoted(context.Parameter1);
    if (!context.Parameter2.empty()) text += crlf + "* Parameter 2: " + Quoted(context.Parameter2);
    if (context.SystemErrorCode != 0) {
      text += crlf + "* System error code: " +
              std::to_string(static_cast<int32_t>(context.SystemErrorCode));
      text += crlf + "* System error description: " + Quoted(environment.SystemErrorText);
    }
    text += crlf;
    text += crlf + "SHOW CONTEXT";
    text += crlf + "* File: " + Quoted(GetFileNameOnly(context.ShowFile));
    text += crlf + "* Function: " + Quoted(context.ShowFunction);
    text += crlf + "* Line: " + std::to_string(context.ShowLine);
    text += crlf;
    text += crlf + "INFO";
    text += crlf + "* Time: " + environment.TimeText;
    text += crlf + "* Program: " + environment.ProgramPath;
    text += crlf + "* Recursive attempts: " + std::to_string(environment.RecursiveAttempts);
    text += crlf;
    text += crlf + "USER INFO";
    text += crlf + "* UserCode: " + std::to_string(context.UserCode);
    text += crlf + "* UserText: " + context.UserText;
    text += crlf + "* UserInt: " + std::to_string(context.UserInt);
    text += crlf + "* UserReal: " + GeneralFloat(context.UserReal);
  } catch (...) {
  }
  return text;
}

std::string BuildDialogText(const std::string& headline, const std::string& report) {
  return "DESCRIPTION\r\n" + (headline.empty() ? std::string("Failed to perform.") : headline) +
         "\r\n" + report;
}
