// Starting files through the shell: what reaches the started program, and
// how failures are reported.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/commandline.h"
#include "core/funstat.h"
#include "platform/shell.h"
#include "testsupport.h"

using namespace test;

namespace {

// The arguments the helper received, without its own path.
std::vector<std::string> HelperArguments(const std::string& commandLine) {
  std::vector<std::string> parameters = SplitCommandLine(commandLine);
  if (!parameters.empty()) parameters.erase(parameters.begin());
  return parameters;
}

}  // namespace

TEST(RunFile, EmptyParametersPassNothingAtAll) {
  TTempFolder folder;
  THelperOutput output(folder);
  RunFile(HelperPath(), "", "", false, true);
  ASSERT_EQ(FunStatContext.Status, fsPerfect) << FunStatContext.Description;
  const std::string commandLine = output.WaitLine();
  EXPECT_EQ(HelperArguments(commandLine), std::vector<std::string>{}) << commandLine;
  EXPECT_EQ(commandLine.find("\"\""), std::string::npos) << commandLine;
}

TEST(RunFile, QuotedParametersWithSpacesArriveAsOneArgument) {
  TTempFolder folder;
  THelperOutput output(folder);
  RunFile(HelperPath(), "C:\\My Pictures\\big cat.jpg", folder.Path(), false, true);
  ASSERT_EQ(FunStatContext.Status, fsPerfect) << FunStatContext.Description;
  const std::string commandLine = output.WaitLine();
  EXPECT_EQ(HelperArguments(commandLine), std::vector<std::string>{"C:\\My Pictures\\big cat.jpg"})
      << commandLine;
}

TEST(RunFile, UnquotedParametersArriveAsTheyAre) {
  TTempFolder folder;
  THelperOutput output(folder);
  RunFile(HelperPath(), "/a b", "", true, false);
  ASSERT_EQ(FunStatContext.Status, fsPerfect) << FunStatContext.Description;
  const std::string commandLine = output.WaitLine();
  EXPECT_EQ(HelperArguments(commandLine), (std::vector<std::string>{"/a", "b"})) << commandLine;
}

TEST(RunFile, AnEmptyNameIsAnsweredWithABoxAndNoFailure) {
  TDialogAnswerer box("Error", IDOK);
  RunFile("", "x", "", false, true);
  EXPECT_TRUE(box.Answered());
  EXPECT_EQ(box.Text(), "The name of the file is empty.");
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
}

TEST(RunFile, AMissingFileFailsWithTheSystemsCode) {
  TTempFolder folder;
  RunFile(folder / "missing.exe", "", "", false, true);
  EXPECT_EQ(FunStatContext.Status, fsError);
  EXPECT_EQ(FunStatContext.RaiseFunction, "RunFile");
  EXPECT_EQ(FunStatContext.Description, "Failed to run file.");
  EXPECT_EQ(FunStatContext.Parameter1, folder / "missing.exe");
  EXPECT_NE(FunStatContext.SystemErrorCode, 0u);
}

TEST(OpenSite, AFailureIsShownOnceUnderTheCallersHeadlineAndThenForgotten) {
  std::vector<std::string> shown;
  TFunStatContext::ShowHandler = [&](const TFunStatContext& context, const std::string& headline,
                                     bool*) {
    shown.push_back(headline + " | " + context.Description + " | " + context.RaiseFunction);
    return true;
  };
  TTempFolder folder;
  OpenSite(folder / "no such page.htm", "Failed to open site.");
  TFunStatContext::ShowHandler = nullptr;
  EXPECT_EQ(shown,
            std::vector<std::string>{"Failed to open site. | Failed to run file. | RunFile"});
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
}

TEST(OpenSite, PageAddressesShareTheSitesHost) {
  EXPECT_EQ(SitePageAddress(kHomePage), std::string(kSiteAddress) + "/");
  EXPECT_EQ(SitePageAddress(kLicensePage), "http://www.example.com/ideas/misc/license.htm");
  EXPECT_EQ(SitePageAddress(kContactPage), "http://www.example.com/ideas/misc/contactme.htm");
  EXPECT_EQ(SitePageAddress(kPicturesPage),
            "http://www.example.com/links/index.htm#ZEV_Various_Pictures");
}
