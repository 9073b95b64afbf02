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
#include "tests/support/shortcuts.h"

using namespace test;

namespace {

using TLinkContent = TShortcut;

TShortcut ReadLink(const std::string& path) {
  return ReadShortcut(path);
}

}  // namespace

TEST(LinkFile, ASavedShortcutReadsBackThroughTheShell) {
  TTempFolder folder;
  WriteText(folder / "Quiltra.exe", "program");
  TLinkFile link;
  link.ReferencePath = "Quiltra.exe";  // relative: saved with its full path
  link.WorkingPath = folder.Path();
  link.Arguments = "/Uninstall";
  link.ShowCommand = SW_SHOWMINNOACTIVE;
  {
    TCurrentDirectory current(folder.Path());
    link.Save(folder / "Quiltra.lnk", false);
  }
  ASSERT_EQ(FunStatContext.Status, fsPerfect) << FunStatContext.Description;
  const TLinkContent content = ReadLink(folder / "Quiltra.lnk");
  EXPECT_TRUE(SameTextAscii(content.Target, folder / "Quiltra.exe")) << content.Target;
  EXPECT_TRUE(SameTextAscii(content.WorkingDirectory, folder.Path()));
  EXPECT_EQ(content.Arguments, "/Uninstall");
  EXPECT_EQ(content.ShowCommand, SW_SHOWMINNOACTIVE);
}

TEST(LinkFile, TheInstallersShortcutsStartInTheTargetsFolder) {
  TTempFolder folder;
  const std::string readme = folder / "Readme.txt";
  WriteText(readme, "read me");
  const TLinkOptions options{.Overwrite = true, .StartInTargetDirectory = true};
  CopyFileAsLink(readme, folder / "Readme.lnk", "", options);
  CopyFileAsLinkWithParam(readme, folder / "Uninstall.lnk", "/Uninstall", options);
  EXPECT_EQ(FunStatContext.Status, fsPerfect) << FunStatContext.Description;
  for (const char* name : {"Readme.lnk", "Uninstall.lnk"}) {
    const TLinkContent content = ReadLink(folder / name);
    EXPECT_TRUE(SameTextAscii(content.Target, readme)) << content.Target;
    EXPECT_TRUE(SameTextAscii(content.WorkingDirectory, folder.Path())) << name;
    EXPECT_EQ(content.ShowCommand, 0) << name;
  }
  EXPECT_EQ(ReadLink(folder / "Uninstall.lnk").Arguments, "/Uninstall");
}

TEST(LinkFile, ALinkToALinkIsRefusedAndNothingIsWritten) {
  TTempFolder folder;
  WriteText(folder / "OLDGAME.PIF", "pif");
  TLinkFile link;
  link.ReferencePath = folder / "OLDGAME.PIF";
  link.Arguments = folder.Path();
  link.Save(folder / "Old game.lnk", true);
  EXPECT_EQ(FunStatContext.Status, fsError);
  EXPECT_EQ(FunStatContext.Description, "This operating system does not support chained links.");
  EXPECT_EQ(FunStatContext.Parameter1, folder / "Old game.lnk");
  EXPECT_FALSE(Exists(folder / "Old game.lnk"));
  EXPECT_EQ(link.Arguments, "");  // a failed save leaves a clean record
}

TEST(LinkFile, AnExistingLinkIsKeptWithoutOverwrite) {
  TTempFolder folder;
  WriteText(folder / "a.exe", "a");
  WriteText(folder / "b.exe", "b");
  CopyFileAsLink(folder / "a.exe", folder / "Game.lnk", "", {.StartInTargetDirectory = true});
  const std::string written = ReadText(folder / "Game.lnk");
  CopyFileAsLink(folder / "b.exe", folder / "Game.lnk", "", {.StartInTargetDirectory = true});
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_EQ(ReadText(folder / "Game.lnk"), written);
  CopyFileAsLink(folder / "b.exe", folder / "Game.lnk", "",
                 {.Overwrite = true, .StartInTargetDirectory = true});
  EXPECT_TRUE(SameTextAscii(ReadLink(folder / "Game.lnk").Target, folder / "b.exe"));
}
