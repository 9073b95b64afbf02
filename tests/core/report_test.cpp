// The report of a status context and the error dialog's text, compared whole.
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/funstat.h"

namespace {

TReportEnvironment Environment(int32_t recursion = 0) {
  TReportEnvironment environment;
  environment.TimeText = "Friday, December 6, 2024 (341) | 5:49:53 PM (641)";
  environment.ProgramPath = "C:\\Games\\Quiltra\\Quiltra.exe";
  environment.RecursiveAttempts = recursion;
  environment.SystemErrorText = "Access is denied";
  return environment;
}

// Everything after "SHOW CONTEXT" for a context shown nowhere, with the
// environment above and empty user fields.
const char* const kShowAndInfo =
    "\r\n"
    "SHOW CONTEXT\r\n"
    "* File: \"\"\r\n"
    "* Function: \"\"\r\n"
    "* Line: 0\r\n"
    "\r\n"
    "INFO\r\n"
    "* Time: Friday, December 6, 2024 (341) | 5:49:53 PM (641)\r\n"
    "* Program: C:\\Games\\Quiltra\\Quiltra.exe\r\n"
    "* Recursive attempts: 0\r\n"
    "\r\n"
    "USER INFO\r\n"
    "* UserCode: 0\r\n"
    "* UserText: \r\n"
    "* UserInt: 0\r\n"
    "* UserReal: 0";

}  // namespace

TEST(Report, EveryLineOfAFullContext) {
  TFunStatContext context;
  context.Raise("C:\\Work\\Quiltra\\Libraries\\StoredTextList.cpp", "TStoredTextList::Save", 412,
                fsError, "Failed to create file.", "C:\\Games\\Quiltra\\QuiltraGames\\a.qtg",
                "second \"detail\"", 0xFFFFFFFB);
  context.NoteShow("D:gamefiles.cpp", "", 77);
  context.UserCode = -3;
  context.UserText = "user text";
  context.UserInt = 12;
  context.UserReal = 0.1 + 0.2;

  EXPECT_EQ(BuildReportText(context, Environment(1)),
            "\r\n"
            "RAISE CONTEXT\r\n"
            "* Status: Error\r\n"
            "* File: \"StoredTextList.cpp\"\r\n"
            "* Function: \"TStoredTextList::Save\"\r\n"
            "* Line: 412\r\n"
            "* Description: \"Failed to create file.\"\r\n"
            "* Parameter 1: \"C:\\Games\\Quiltra\\QuiltraGames\\a.qtg\"\r\n"
            "* Parameter 2: \"second \"detail\"\"\r\n"
            "* System error code: -5\r\n"
            "* System error description: \"Access is denied\"\r\n"
            "\r\n"
            "SHOW CONTEXT\r\n"
            "* File: \"gamefiles.cpp\"\r\n"
            "* Function: \"\"\r\n"
            "* Line: 77\r\n"
            "\r\n"
            "INFO\r\n"
            "* Time: Friday, December 6, 2024 (341) | 5:49:53 PM (641)\r\n"
            "* Program: C:\\Games\\Quiltra\\Quiltra.exe\r\n"
            "* Recursive attempts: 1\r\n"
            "\r\n"
            "USER INFO\r\n"
            "* UserCode: -3\r\n"
            "* UserText: user text\r\n"
            "* UserInt: 12\r\n"
            "* UserReal: 0.3");
}

TEST(Report, OptionalLinesAreLeftOutAndEmptyTextsStayQuoted) {
  TFunStatContext context;
  context.Raise("storedtextlist.cpp", "TStoredTextList::Load", 9, fsError, "There is no such file.",
                "", "", 0);
  EXPECT_EQ(BuildReportText(context, Environment()),
            std::string("\r\n"
                        "RAISE CONTEXT\r\n"
                        "* Status: Error\r\n"
                        "* File: \"storedtextlist.cpp\"\r\n"
                        "* Function: \"TStoredTextList::Load\"\r\n"
                        "* Line: 9\r\n"
                        "* Description: \"There is no such file.\"\r\n") +
                kShowAndInfo);

  // A context nobody raised: empty texts are still quoted.
  TFunStatContext empty;
  EXPECT_EQ(BuildReportText(empty, Environment()), std::string("\r\n"
                                                               "RAISE CONTEXT\r\n"
                                                               "* Status: Perfect\r\n"
                                                               "* File: \"\"\r\n"
                                                               "* Function: \"\"\r\n"
                                                               "* Line: 0\r\n"
                                                               "* Description: \"\"\r\n") +
                                                       kShowAndInfo);

  // Only the second parameter: the first one's line is still left out.
  context.Raise("a.cpp", "A", 1, fsError, "D.", "", "only two", 0);
  EXPECT_NE(
      BuildReportText(context, Environment()).find("\"D.\"\r\n* Parameter 2: \"only two\"\r\n\r\n"),
      std::string::npos);
}

TEST(Report, StatusLineNamesTheLevelAndFlagsACatastrophe) {
  TFunStatContext context;
  context.Raise("a.cpp", "A", 1, fsCatastrophe, "Lost.", "", "", 0);
  const std::string report = BuildReportText(context, Environment());
  EXPECT_EQ(report.substr(0, report.find("\r\n* File")),
            "\r\nRAISE CONTEXT\r\n* Status: Catastrophe: CATASTROPHIC FAILURE!!! It is highly "
            "recommended to terminate the program immediately!");

  context.Status = fsPanic;
  EXPECT_NE(BuildReportText(context, Environment()).find("* Status: Panic\r\n"), std::string::npos);
  context.Status = 9;
  EXPECT_NE(BuildReportText(context, Environment()).find("* Status: Unknown function status\r\n"),
            std::string::npos);
}

TEST(Report, FileLinesShowOnlyTheLastComponent) {
  TFunStatContext context;
  for (const char* path : {"C:\\Work\\Quiltra\\Libraries\\Error.cpp", "C:Error.cpp", "Error.cpp"}) {
    context.Raise(path, "F", 1, fsError, "D.", "", "", 0);
    context.NoteShow(path, "", 2);
    const std::string report = BuildReportText(context, Environment());
    EXPECT_NE(report.find("RAISE CONTEXT\r\n* Status: Error\r\n* File: \"Error.cpp\"\r\n"),
              std::string::npos)
        << path;
    EXPECT_NE(report.find("SHOW CONTEXT\r\n* File: \"Error.cpp\"\r\n"), std::string::npos) << path;
  }
}

TEST(Report, UserRealInGeneralFormatWithFifteenDigits) {
  TFunStatContext context;
  auto userReal = [&](double value) {
    context.UserReal = value;
    const std::string report = BuildReportText(context, Environment());
    return report.substr(report.rfind("* UserReal: ") + 12);
  };
  EXPECT_EQ(userReal(0.0), "0");
  EXPECT_EQ(userReal(-2.5), "-2.5");
  EXPECT_EQ(userReal(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(userReal(123456789012345.0), "123456789012345");
}

TEST(Report, DialogTextHeadsTheReport) {
  EXPECT_EQ(BuildDialogText("Failed to load file.", "\r\nRAISE CONTEXT"),
            "DESCRIPTION\r\nFailed to load file.\r\n\r\nRAISE CONTEXT");
  EXPECT_EQ(BuildDialogText("", "\r\nRAISE CONTEXT"),
            "DESCRIPTION\r\nFailed to perform.\r\n\r\nRAISE CONTEXT");
}

TEST(Report, GetReportTextAsksTheEnvironmentForTheCode) {
  TFunStatContext context;
  context.Raise("a.cpp", "A", 1, fsError, "D.", "", "", 32);
  uint32_t askedFor = 0;
  TFunStatContext::ReportEnvironment = [&](uint32_t code) {
    askedFor = code;
    TReportEnvironment environment = Environment(2);
    environment.SystemErrorText = "The process cannot access the file";
    return environment;
  };
  const std::string report = context.GetReportText();
  EXPECT_EQ(askedFor, 32u);
  EXPECT_NE(report.find("* System error code: 32\r\n* System error description: \"The process "
                        "cannot access the file\"\r\n"),
            std::string::npos);
  EXPECT_NE(report.find("* Recursive attempts: 2\r\n"), std::string::npos);

  // An environment that fails still leaves a report, without the system parts.
  TFunStatContext::ReportEnvironment = [](uint32_t) -> TReportEnvironment {
    throw std::runtime_error("no clock");
  };
  EXPECT_NE(context.GetReportText().find("* Time: \r\n* Program: \r\n* Recursive attempts: 0\r\n"),
            std::string::npos);
  TFunStatContext::ReportEnvironment = nullptr;
}
