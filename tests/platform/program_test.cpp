#include <gtest/gtest.h>

#include <windows.h>

#include "platform/program.h"

TEST(ProgramPaths, FilesLieNextToTheExecutable) {
  const std::string directory = GetProgramDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), '\\');
  EXPECT_EQ(GetProgramFilePath("Errors.log"), directory + "Errors.log");
  EXPECT_EQ(GetProgramFilePath("QuiltraGames\\"), directory + "QuiltraGames\\");
  EXPECT_EQ(GetProgramDirectory() + GetProgramExeName(), GetProgramFileName());
  EXPECT_EQ(GetProgramParameter(0), GetProgramFileName());
  EXPECT_EQ(GetProgramParameter(99), "");
}
