// Renaming files, copying directory trees over existing ones and deleting
// trees that hold files in use.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/funstat.h"
#include "platform/directories.h"
#include "platform/handles.h"
#include "testsupport.h"

using namespace test;

namespace {

bool SetHidden(const std::string& path, DWORD attribute) {
  SetFileAttributesA(path.c_str(), attribute);
  return (Attributes(path) & attribute) != 0;
}

}  // namespace

TEST(RenameFile, OverwriteReplacesAReadOnlyTarget) {
  TTempFolder folder;
  WriteText(folder / "Install.exe", "new");
  WriteText(folder / "Quiltra.exe", "old");
  SetFileAttributesA((folder / "Quiltra.exe").c_str(), FILE_ATTRIBUTE_READONLY);
  MyRenameFile(folder / "Install.exe", folder / "Quiltra.exe", true);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_EQ(ReadText(folder / "Quiltra.exe"), "new");
  EXPECT_FALSE(Exists(folder / "Install.exe"));
}

TEST(RenameFile, WithoutOverwriteAnExistingTargetStopsTheRename) {
  TTempFolder folder;
  WriteText(folder / "a.txt", "a");
  WriteText(folder / "b.txt", "b");
  MyRenameFile(folder / "a.txt", folder / "b.txt", false);
  EXPECT_EQ(FunStatContext.Status, fsError);
  EXPECT_EQ(FunStatContext.RaiseFunction, "MyRenameFile");
  EXPECT_EQ(FunStatContext.Description, "Failed to rename.");
  EXPECT_EQ(FunStatContext.Parameter1, folder / "a.txt");
  EXPECT_EQ(FunStatContext.Parameter2, folder / "b.txt");
  EXPECT_EQ(ReadText(folder / "a.txt"), "a");
  EXPECT_EQ(ReadText(folder / "b.txt"), "b");
}

TEST(RenameFile, AFailedRenameKeepsTheFileItWouldHaveReplaced) {
  TTempFolder folder;
  WriteText(folder / "Quiltra.exe", "installed");
  MyRenameFile(folder / "missing.exe", folder / "Quiltra.exe", true);
  EXPECT_EQ(FunStatContext.Description, "Failed to rename.");
  EXPECT_EQ(ReadText(folder / "Quiltra.exe"), "installed");
}

TEST(CopyDirectory, CopiesOverAnExistingTreeAndSkipsHiddenAndSystemEntries) {
  TTempFolder folder;
  const std::string source = folder / "Quiltra";
  const std::string target = folder / "Program Files\\Quiltra";
  MakeDirectory(source);
  MakeDirectory(source + "\\Pictures");
  MakeDirectory(source + "\\Secret");
  WriteText(source + "\\Install.exe", "new program");
  WriteText(source + "\\Pictures\\cat.bmp", "new picture");
  WriteText(source + "\\hidden.txt", "hidden");
  WriteText(source + "\\system.txt", "system");
  WriteText(source + "\\Secret\\inside.txt", "secret");
  const bool attributesKept = SetHidden(source + "\\hidden.txt", FILE_ATTRIBUTE_HIDDEN) &&
                              SetHidden(source + "\\system.txt", FILE_ATTRIBUTE_SYSTEM) &&
                              SetHidden(source + "\\Secret", FILE_ATTRIBUTE_HIDDEN);

  MakeDirectory(folder / "Program Files");
  MakeDirectory(target);
  MakeDirectory(target + "\\Pictures");
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
  if (!attributesKept) GTEST_SKIP() << "this file system keeps no hidden or system attribute";
  EXPECT_FALSE(Exists(target + "\\hidden.txt"));
  EXPECT_FALSE(Exists(target + "\\system.txt"));
  EXPECT_FALSE(Exists(target + "\\Secret"));
  EXPECT_TRUE(Exists(source + "\\hidden.txt"));
}

TEST(CopyDirectory, CopyIntoItsOwnSubfolderCopiesOnce) {
  TTempFolder folder;
  const std::string source = folder / "Dist";
  MakeDirectory(source);
  MakeDirectory(source + "\\Data");
  WriteText(source + "\\Readme.txt", "read me");
  WriteText(source + "\\Data\\level.txt", "data");
  CopyDeleteDirectory(source, source + "\\Dist", true);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_EQ(ReadText(source + "\\Dist\\Readme.txt"), "read me");
  EXPECT_EQ(ReadText(source + "\\Dist\\Data\\level.txt"), "data");
  EXPECT_FALSE(Exists(source + "\\Dist\\Dist"));
}

TEST(CopyDirectory, FailuresShowTheirBoxAndStayForTheCaller) {
  TTempFolder folder;
  {
    // The destination's parent does not exist.
    MakeDirectory(folder / "Dist");
    TDialogAnswerer box("Error", IDOK);
    CopyDeleteDirectory(folder / "Dist", folder / "missing\\copy", true);
    EXPECT_TRUE(box.Answered());
    EXPECT_EQ(box.Text(), "Failed to process directory.");
  }
  EXPECT_EQ(FunStatContext.Status, fsError);
  EXPECT_EQ(FunStatContext.RaiseFunction, "CopyDeleteDirectory");
  EXPECT_EQ(FunStatContext.Description, "Failed to create directory.");
  EXPECT_EQ(FunStatContext.Parameter1, folder / "Dist");
  EXPECT_EQ(FunStatContext.Parameter2, folder / "missing\\copy");
  EXPECT_NE(FunStatContext.SystemErrorCode, 0u);
  {
    TDialogAnswerer box("Error", IDCANCEL);
    CopyDeleteDirectory(folder.Path(), "", true);
    EXPECT_TRUE(box.Answered());
  }
  EXPECT_EQ(FunStatContext.Description, "Empty destination name.");
  EXPECT_EQ(FunStatContext.Parameter1, folder.Path());
}

TEST(CopyDirectory, WithCopyOffTheSourceIsDeleted) {
  TTempFolder folder;
  const std::string source = folder / "Old";
  MakeDirectory(source);
  MakeDirectory(source + "\\Sub");
  WriteText(source + "\\Sub\\file.txt", "x");
  SetFileAttributesA((source + "\\Sub\\file.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  CopyDeleteDirectory(source, folder / "New", false);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_FALSE(Exists(source));
}

TEST(DeleteDirectory, LeavesOnlyAFileInUseAndTheFoldersThatHoldIt) {
  TTempFolder folder;
  const std::string root = folder / "Quiltra";
  MakeDirectory(root);
  MakeDirectory(root + "\\QuiltraGames");
  MakeDirectory(root + "\\Running");
  MakeDirectory(root + "\\Running\\Empty");
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
  EXPECT_FALSE(Exists(root + "\\Running\\Readme.txt"));
  EXPECT_FALSE(Exists(root + "\\Running\\Empty"));
  EXPECT_FALSE(Exists(root + "\\Quiltra.ini"));
  EXPECT_FALSE(Exists(root + "\\QuiltraGames"));

  inUse.Close();
  DeleteDirectoryNoErrors(root + "\\");
  EXPECT_FALSE(Exists(root));
}

TEST(DeleteDirectory, AMissingOrEmptyNameDeletesNothing) {
  TTempFolder folder;
  DeleteDirectoryNoErrors(folder / "missing");
  EXPECT_EQ(FunStatContext.Status, fsError);
  EXPECT_EQ(FunStatContext.Description, "Can not find directory.");
  EXPECT_EQ(FunStatContext.Parameter1, folder / "missing");

  // An empty name would otherwise mean the current directory.
  WriteText(folder / "precious.txt", "x");
  char old[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, old);
  SetCurrentDirectoryA(folder.Path().c_str());
  DeleteDirectoryNoErrors("");
  SetCurrentDirectoryA(old);
  EXPECT_EQ(FunStatContext.Description, "Can not find directory.");
  EXPECT_TRUE(Exists(folder / "precious.txt"));
}
