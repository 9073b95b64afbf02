// Renaming files, copying directory trees over existing ones and deleting
// trees that hold files in use.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/funstat.h"
#include "platform/directories.h"
#include "platform/handles.h"
#include "testsupport.h"

using namespace test;

TEST(RenameFile, ReplacesOnlyWithOverwriteAndNeverLosesTheTargetOnFailure) {
  TTempFolder folder;
  const std::string installer = folder / "Install.exe", program = folder / "Quiltra.exe";
  WriteText(installer, "new");
  WriteText(program, "old");
  MyRenameFile(installer, program, false);
  EXPECT_EQ(FunStatContext.Description, "Failed to rename.");
  EXPECT_EQ(FunStatContext.Parameter1, installer);
  EXPECT_EQ(FunStatContext.Parameter2, program);

  SetFileAttributesA(program.c_str(), FILE_ATTRIBUTE_READONLY);
  MyRenameFile(installer, program, true);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_EQ(ReadText(program), "new");
  EXPECT_FALSE(Exists(installer));

  // The installer is gone now: the move fails, and the program stays.
  MyRenameFile(installer, program, true);
  EXPECT_EQ(FunStatContext.Status, fsError);
  EXPECT_EQ(ReadText(program), "new");
}

TEST(CopyDirectory, CopiesOverAnExistingTreeAndSkipsHiddenAndSystemEntries) {
  TTempFolder folder;
  const std::string source = folder / "Quiltra", target = folder / "Program Files\\Quiltra";
  for (const std::string& directory : {source, source + "\\Pictures", source + "\\Secret",
                                       folder / "Program Files", target, target + "\\Pictures"})
    MakeDirectory(directory);
  WriteText(source + "\\Install.exe", "new program");
  WriteText(source + "\\Pictures\\cat.bmp", "new picture");
  WriteText(source + "\\hidden.txt", "hidden");
  WriteText(source + "\\system.txt", "system");
  WriteText(source + "\\Secret\\inside.txt", "secret");
  SetFileAttributesA((source + "\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA((source + "\\system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesA((source + "\\Secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
  WriteText(target + "\\Install.exe", "old program");
  WriteText(target + "\\Pictures\\cat.bmp", "old picture");
  WriteText(target + "\\Quiltra.ini", "options");
  SetFileAttributesA((target + "\\Install.exe").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA((target + "\\Pictures\\cat.bmp").c_str(), FILE_ATTRIBUTE_READONLY);

  CopyDeleteDirectory(source, target, true);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_EQ(ReadText(target + "\\Install.exe"), "new program");
  EXPECT_EQ(ReadText(target + "\\Pictures\\cat.bmp"), "new picture");
  EXPECT_EQ(ReadText(target + "\\Quiltra.ini"), "options");
  EXPECT_FALSE(Exists(target + "\\hidden.txt"));
  EXPECT_FALSE(Exists(target + "\\system.txt"));
  EXPECT_FALSE(Exists(target + "\\Secret"));
}

TEST(CopyDirectory, CopyIntoItsOwnSubfolderCopiesOnce) {
  TTempFolder folder;
  const std::string source = folder / "Dist";
  MakeDirectory(source);
  MakeDirectory(source + "\\Data");
  WriteText(source + "\\Data\\level.txt", "data");
  CopyDeleteDirectory(source, source + "\\Dist", true);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_EQ(ReadText(source + "\\Dist\\Data\\level.txt"), "data");
  EXPECT_FALSE(Exists(source + "\\Dist\\Dist"));
}

TEST(CopyDirectory, AFailureShowsItsBoxAndStaysForTheCaller) {
  TTempFolder folder;
  MakeDirectory(folder / "Dist");
  TDialogAnswerer box("Error", IDOK);
  CopyDeleteDirectory(folder / "Dist", folder / "missing\\copy", true);
  EXPECT_EQ(box.Text(), "Failed to process directory.");
  EXPECT_EQ(FunStatContext.RaiseFunction, "CopyDeleteDirectory");
  EXPECT_EQ(FunStatContext.Description, "Failed to create directory.");
  EXPECT_EQ(FunStatContext.Parameter1, folder / "Dist");
  EXPECT_EQ(FunStatContext.Parameter2, folder / "missing\\copy");
  EXPECT_EQ(FunStatContext.SystemErrorCode, static_cast<uint32_t>(ERROR_PATH_NOT_FOUND));
}

// A file deep in the tree that can't be written stops the copy: one box, and
// the failure reaches the caller.
TEST(CopyDirectory, AFileThatCantBeCopiedStopsTheCopyWithOneBox) {
  TTempFolder folder;
  const std::string source = folder / "Dist", target = folder / "Copy";
  for (const std::string& directory :
       {source, source + "\\Pictures", target, target + "\\Pictures"})
    MakeDirectory(directory);
  WriteText(source + "\\Pictures\\cat.bmp", "picture");
  WriteText(target + "\\Pictures\\cat.bmp", "locked");
  TKernelHandle locked(CreateFileA((target + "\\Pictures\\cat.bmp").c_str(), GENERIC_READ, 0,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(locked.Valid());
  TDialogAnswerer box("Error", IDOK);
  CopyDeleteDirectory(source, target, true);
  EXPECT_EQ(FunStatContext.Description, "Failed to copy file.");
  EXPECT_EQ(FunStatContext.Parameter1, source + "\\Pictures\\cat.bmp");
  EXPECT_NE(FunStatContext.SystemErrorCode, 0u);
  EXPECT_EQ(box.Text(), "Failed to process directory.");
}

TEST(DeleteDirectory, LeavesOnlyAFileInUseAndTheFoldersThatHoldIt) {
  TTempFolder folder;
  const std::string root = folder / "Quiltra";
  for (const std::string& directory :
       {root, root + "\\QuiltraGames", root + "\\Running", root + "\\Running\\Empty"})
    MakeDirectory(directory);
  WriteText(root + "\\Quiltra.ini", "options");
  WriteText(root + "\\QuiltraGames\\game.qtg", "game");
  WriteText(root + "\\Running\\Quiltra.exe", "in use");
  WriteText(root + "\\Running\\Readme.txt", "read me");
  SetFileAttributesA((root + "\\Quiltra.ini").c_str(),
                     FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA((root + "\\QuiltraGames").c_str(), FILE_ATTRIBUTE_READONLY);
  TKernelHandle inUse(CreateFileA((root + "\\Running\\Quiltra.exe").c_str(), GENERIC_READ,
                                  FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(inUse.Valid());

  DeleteDirectoryNoErrors(root);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_TRUE(Exists(root + "\\Running\\Quiltra.exe"));
  for (const char* gone :
       {"\\Running\\Readme.txt", "\\Running\\Empty", "\\Quiltra.ini", "\\QuiltraGames"})
    EXPECT_FALSE(Exists(root + gone)) << gone;
  inUse.Close();
  DeleteDirectoryNoErrors(root + "\\");
  EXPECT_FALSE(Exists(root));
}

TEST(DeleteDirectory, AMissingOrEmptyNameDeletesNothing) {
  TTempFolder folder;
  DeleteDirectoryNoErrors(folder / "missing");
  EXPECT_EQ(FunStatContext.Description, "Can not find directory.");
  // An empty name would otherwise mean the current directory.
  WriteText(folder / "precious.txt", "x");
  {
    TCurrentDirectory current(folder.Path());
    DeleteDirectoryNoErrors("");
  }
  EXPECT_EQ(FunStatContext.Description, "Can not find directory.");
  EXPECT_TRUE(Exists(folder / "precious.txt"));
}
