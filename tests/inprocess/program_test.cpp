// Where the program's files lie, the instance guard, and the terminate
// handler.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/handles.h"
#include "platform/program.h"
#include "testsupport.h"

using namespace test;

namespace {

bool MutexExists(const std::string& name) {
  TKernelHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, ("Mutex_ProgramInstance_" + name).c_str()));
  return mutex.Valid();
}

}  // namespace

TEST(ProgramPaths, FilesLieNextToTheExecutable) {
  const std::string directory = GetProgramDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), '\\');
  EXPECT_EQ(GetProgramFilePath("Errors.log"), directory + "Errors.log");
  EXPECT_EQ(GetProgramFilePath("QuiltraGames\\"), directory + "QuiltraGames\\");
  EXPECT_EQ(GetProgramFilePath(""), directory);
  EXPECT_EQ(GetProgramDirectory() + GetProgramExeName(), GetProgramFileName());
  EXPECT_EQ(GetProgramParameter(0), GetProgramFileName());
  EXPECT_EQ(GetProgramParameter(99), "");
}

TEST(ProgramInstance, TheFirstHoldsTheMutexUntilItReleasesIt) {
  const std::string name = "QuiltraTest" + std::to_string(GetCurrentProcessId());
  EXPECT_EQ(FindOtherProgramInstance(name), TOtherInstance::None);
  EXPECT_TRUE(MutexExists(name));
  // Asking again (another start, as far as the mutex can tell) is refused.
  EXPECT_EQ(FindOtherProgramInstance(name), TOtherInstance::Running);
  ReleaseProgramInstance();
  EXPECT_FALSE(MutexExists(name));
  ReleaseProgramInstance();  // twice is harmless
}

TEST(ProgramInstance, AMutexThisStartMayNotOpenMeansAnotherGameRuns) {
  // As an elevated game's mutex is to a normal start: an empty access list
  // grants nobody anything.
  const std::string name = "QuiltraDenied" + std::to_string(GetCurrentProcessId());
  SECURITY_DESCRIPTOR descriptor{};
  ASSERT_TRUE(InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
  ACL acl{};
  ASSERT_TRUE(InitializeAcl(&acl, sizeof acl, ACL_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, &acl, FALSE));
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
  TKernelHandle elevated(
      CreateMutexA(&attributes, TRUE, ("Mutex_ProgramInstance_" + name).c_str()));
  ASSERT_TRUE(elevated.Valid());
  EXPECT_EQ(FindOtherProgramInstance(name), TOtherInstance::RunningElevated);
}

TEST(TerminateHandler, ReportsAndEndsTheProcessWithExitCodeOne) {
  TTempFolder folder;
  THelperOutput output(folder);
  std::string commandLine = HelperPath();
  commandLine = '"' + commandLine + "\" /terminate";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(HelperPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, nullptr, &startup, &process));
  TKernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 1u);
  const std::string written = ReadText(folder / "helper-output.txt");
  EXPECT_NE(written.find("shown: Abort intercepted.\r\nProgram must be terminated. | "
                         "TerminateProgramFun"),
            std::string::npos)
      << written;
}
