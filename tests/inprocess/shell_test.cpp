// Starting files through the shell: what reaches the started program, and
// how failures are reported.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/commandline.h"
#include "core/funstat.h"
#include "platform/program.h"
#include "platform/shell.h"
#include "testsupport.h"

using namespace test;

namespace {

// The arguments the helper received after its own path.
std::vector<std::string> RunHelper(const std::string& parameters, bool quote) {
  TTempFolder folder;
  THelperOutput output(folder);
  // It starts in the tests' own folder: a folder that is some process's
  // current directory can't be removed.
  RunFile(HelperPath(), parameters, GetProgramDirectory(), {.QuoteParameters = quote});
  EXPECT_EQ(FunStatContext.Status, fsPerfect) << FunStatContext.Description;
  const std::string commandLine = output.WaitLine();
  EXPECT_EQ(commandLine.find("\"\""), std::string::npos) << commandLine;
  std::vector<std::string> arguments = SplitCommandLine(commandLine);
  if (!arguments.empty()) arguments.erase(arguments.begin());
  return arguments;
}

}  // namespace

TEST(RunFile, ParametersArriveWholeWhenQuotedAndNotAtAllWhenEmpty) {
  using Arguments = std::vector<std::string>;
  EXPECT_EQ(RunHelper("", true), Arguments{});
  EXPECT_EQ(RunHelper("C:\\My Pictures\\big cat.jpg", true),
            Arguments{"C:\\My Pictures\\big cat.jpg"});
  EXPECT_EQ(RunHelper("/a b", false), (Arguments{"/a", "b"}));
}

TEST(RunFile, AnEmptyNameGetsABoxAndAMissingFileAnError) {
  {
    TDialogAnswerer box("Error", IDOK);
    RunFile("", "x", "", {.QuoteParameters = true});
    EXPECT_EQ(box.Text(), "The name of the file is empty.");
    EXPECT_EQ(FunStatContext.Status, fsPerfect);
  }
  TTempFolder folder;
  RunFile(folder / "missing.exe", "", "", {.QuoteParameters = true});
  EXPECT_EQ(FunStatContext.Description, "Failed to run file.");
  EXPECT_EQ(FunStatContext.Parameter1, folder / "missing.exe");
  EXPECT_NE(FunStatContext.SystemErrorCode, 0u);
}

TEST(OpenSite, AFailureIsShownOnceUnderTheCallersHeadlineAndThenForgotten) {
  std::vector<std::string> shown;
  TFunStatContext::ShowHandler = [&](const TFunStatContext& context, const std::string& headline,
                                     bool*) {
    shown.push_back(headline + " | " + context.Description);
    return true;
  };
  TTempFolder folder;
  OpenSite(folder / "no such page.htm", "Failed to open site.");
  TFunStatContext::ShowHandler = nullptr;
  EXPECT_EQ(shown, std::vector<std::string>{"Failed to open site. | Failed to run file."});
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_EQ(SitePageAddress(kLicensePage), "http://www.example.com/ideas/misc/license.htm");
}
