// Shortcut files: what is written reads back through the shell; chained
// links are refused; an existing link is kept unless overwriting.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "core/funstat.h"
#include "core/pathtext.h"
#include "platform/handles.h"
#include "platform/links.h"
#include "testsupport.h"

using namespace test;

namespace {

// Wine's link object does not restore the show command when it loads a
// shortcut; the file's header keeps it at offset 0x3C.
int ShowCommandInFile(const std::string& path) {
  const std::string bytes = ReadText(path);
  if (bytes.size() < 0x40) return -1;
  return static_cast<unsigned char>(bytes[0x3C]) | static_cast<unsigned char>(bytes[0x3D]) << 8;
}

struct TLinkContent {
  std::string Target;
  std::string WorkingDirectory;
  std::string Arguments;
  int ShowCommand = -1;
};

TLinkContent ReadLink(const std::string& path) {
  TLinkContent content;
  TComPtr<IShellLinkA> link;
  TComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.PutVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())))
    return content;
  std::wstring name(path.begin(), path.end());
  if (FAILED(file->Load(name.c_str(), STGM_READ))) return content;
  char text[MAX_PATH] = {};
  link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
  content.Target = text;
  link->GetWorkingDirectory(text, MAX_PATH);
  content.WorkingDirectory = text;
  link->GetArguments(text, MAX_PATH);
  content.Arguments = text;
  content.ShowCommand = ShowCommandInFile(path);
  return content;
}

}  // namespace

TEST(LinkFile, ASavedShortcutReadsBackThroughTheShell) {
  TTempFolder folder;
  const std::string target = folder / "Quiltra.exe";
  WriteText(target, "program");
  TLinkFile link;
  link.ReferencePath = target;
  link.WorkingPath = folder.Path();
  link.Arguments = "/Uninstall";
  link.ShowCommand = SW_SHOWMINNOACTIVE;
  link.Save(folder / "Quiltra.lnk", false);
  ASSERT_EQ(FunStatContext.Status, fsPerfect) << FunStatContext.Description;

  const TLinkContent content = ReadLink(folder / "Quiltra.lnk");
  EXPECT_TRUE(SameTextAscii(content.Target, target)) << content.Target;
  EXPECT_TRUE(SameTextAscii(content.WorkingDirectory, folder.Path())) << content.WorkingDirectory;
  EXPECT_EQ(content.Arguments, "/Uninstall");
  EXPECT_EQ(content.ShowCommand, SW_SHOWMINNOACTIVE);
}

TEST(LinkFile, CopyFileAsLinkStartsInTheTargetsFolder) {
  TTempFolder folder;
  MakeDirectory(folder / "Menu");
  const std::string target = folder / "Readme.txt";
  WriteText(target, "read me");
  CopyFileAsLink(target, folder / "Menu\\Readme.lnk", true, false, true, "");
  ASSERT_EQ(FunStatContext.Status, fsPerfect) << FunStatContext.Description;
  TLinkContent content = ReadLink(folder / "Menu\\Readme.lnk");
  EXPECT_TRUE(SameTextAscii(content.Target, target)) << content.Target;
  EXPECT_TRUE(SameTextAscii(content.WorkingDirectory, folder.Path()));
  EXPECT_EQ(content.Arguments, "");

  CopyFileAsLinkWithParam(target, folder / "Menu\\Uninstall.lnk", "/Uninstall", false, true);
  ASSERT_EQ(FunStatContext.Status, fsPerfect) << FunStatContext.Description;
  content = ReadLink(folder / "Menu\\Uninstall.lnk");
  EXPECT_TRUE(SameTextAscii(content.WorkingDirectory, folder.Path()));
  EXPECT_EQ(content.Arguments, "/Uninstall");
}

TEST(LinkFile, ARelativeTargetIsSavedWithItsFullPath) {
  TTempFolder folder;
  WriteText(folder / "game.exe", "program");
  char old[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, old);
  SetCurrentDirectoryA(folder.Path().c_str());
  CopyFileAsLink("game.exe", folder / "game.lnk", true, true, false, "");
  SetCurrentDirectoryA(old);
  ASSERT_EQ(FunStatContext.Status, fsPerfect) << FunStatContext.Description;
  const TLinkContent content = ReadLink(folder / "game.lnk");
  EXPECT_TRUE(SameTextAscii(content.Target, folder / "game.exe")) << content.Target;
  EXPECT_EQ(content.ShowCommand, SW_SHOWMINNOACTIVE);
}

TEST(LinkFile, ALinkToALinkIsRefusedAndNothingIsWritten) {
  TTempFolder folder;
  WriteText(folder / "OLDGAME.PIF", "pif");
  CopyFileAsLink(folder / "OLDGAME.PIF", folder / "Old game.lnk", true, false, true, "");
  EXPECT_EQ(FunStatContext.Status, fsError);
  EXPECT_EQ(FunStatContext.RaiseFunction, "TLinkFile::Save");
  EXPECT_EQ(FunStatContext.Description, "This operating system does not support chained links.");
  EXPECT_EQ(FunStatContext.Parameter1, folder / "Old game.lnk");
  EXPECT_FALSE(Exists(folder / "Old game.lnk"));

  TLinkFile link;
  link.ReferencePath = folder / "OLDGAME.PIF";
  link.Arguments = folder.Path();
  link.Save(folder / "Old game.lnk", true);
  EXPECT_EQ(FunStatContext.Status, fsError);
  // A failed save leaves a clean record.
  EXPECT_EQ(link.ReferencePath, "");
  EXPECT_EQ(link.Arguments, "");
}

TEST(LinkFile, AnExistingLinkIsKeptWithoutOverwrite) {
  TTempFolder folder;
  WriteText(folder / "a.exe", "a");
  WriteText(folder / "b.exe", "b");
  CopyFileAsLink(folder / "a.exe", folder / "Game.lnk", false, false, true, "");
  ASSERT_EQ(FunStatContext.Status, fsPerfect);
  const std::string written = ReadText(folder / "Game.lnk");

  CopyFileAsLink(folder / "b.exe", folder / "Game.lnk", false, false, true, "");
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_EQ(ReadText(folder / "Game.lnk"), written);

  CopyFileAsLink(folder / "b.exe", folder / "Game.lnk", true, false, true, "");
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_TRUE(SameTextAscii(ReadLink(folder / "Game.lnk").Target, folder / "b.exe"));
}

TEST(LinkFile, AnUnwritablePlaceFailsAtSaving) {
  TTempFolder folder;
  WriteText(folder / "a.exe", "a");
  CopyFileAsLink(folder / "a.exe", folder / "missing folder\\Game.lnk", true, false, true, "");
  EXPECT_EQ(FunStatContext.Status, fsError);
  EXPECT_EQ(FunStatContext.Description, "Failed to save link file.");
  EXPECT_NE(FunStatContext.SystemErrorCode, 0u);
}
