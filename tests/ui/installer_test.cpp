// The installer and uninstaller on screen, driving the real executable: a
// distribution folder installs into a target with its shortcuts and uninstall
// entry and starts the game; "/Uninstall" removes it again; No changes
// nothing; directories that must not be copied or deleted are refused.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "support/driver.h"
#include "support/installation.h"
#include "support/system.h"

using namespace ui;

namespace {

const char* const kGameType = "Software\\Classes\\Quiltra.Game";
const char* const kVersion = "Version 2.5.2, released on 06.01.2006";

bool UninstallKeyExists() {
  return RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey);
}
std::string UninstallValue(const char* name) {
  return RegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, name);
}

class InstallerTest : public testing::Test {
 protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override { CoUninitialize(); }
  TCleanInstallation clean_;
};

}  // namespace

TEST_F(InstallerTest, InstallsTheDistributionStartsTheGameAndUninstallsIt) {
  TDistribution distribution;
  TTempDir target;
  const std::string installed = target.File(TDistribution::Name()) + "\\";
  // An earlier installation: its read-only files are replaced, its options
  // and games stay.
  CreateDirectoryA(installed.c_str(), nullptr);
  WriteText(installed + "Readme.txt", "old read-me");
  SetFileAttributesA((installed + "Readme.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  WriteText(installed + "Quiltra.exe", "old program");
  SetFileAttributesA((installed + "Quiltra.exe").c_str(), FILE_ATTRIBUTE_READONLY);
  WriteText(installed + "Quiltra.ini", "[Options]\r\n");

  {
    TProcess installer(distribution.Exe());
    HWND window = installer.WaitWindow("TInstallForm");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Text(window), "Install Quiltra");
    EXPECT_NE(ChildWithText(window, "TPanel", "Welcome to Quiltra"), nullptr);
    EXPECT_NE(ChildWithText(window, "TLabel", "Quiltra"), nullptr);
    EXPECT_NE(ChildWithText(window, "TLabel", kVersion), nullptr);
    EXPECT_NE(ChildStartingWith(window, "TLabel", "The program can be reinstalled"), nullptr);
    EXPECT_NE(ChildWithText(window, "TLabel",
                            "The program's installation directory will be put in directory:"),
              nullptr);
    EXPECT_EQ(Text(EditOf(window, true)), "Quiltra for tests\r\nSecond line");
    EXPECT_EQ(Focused(window), EditOf(window, true));
    EXPECT_TRUE(SamePath(Text(EditOf(window, false)), SpecialFolder(CSIDL_PROGRAM_FILES)));
    EXPECT_TRUE(IsWindowEnabled(ChildWithText(window, "Button", "&Browse")));
    Sleep(300);
    SaveScreenshot("installer-install");

    SetInstallTo(window, target.Path());
    ASSERT_TRUE(PressButton(window, "&Install"));
    EXPECT_EQ(AnswerBox(installer, IDYES), "Install the program in directory \"" + target.Path() +
                                               TDistribution::Name() + "\"?");
    EXPECT_EQ(installer.Wait(), 0);
  }

  const TProcessWindow game = WaitAnyWindow("TQuiltraForm");
  ASSERT_NE(game.Window, nullptr);
  EXPECT_TRUE(SamePath(ProcessExe(game.ProcessId), installed + "Quiltra.exe"))
      << ProcessExe(game.ProcessId);
  // The options the earlier installation had are still there (the game
  // writes its own when it closes).
  EXPECT_EQ(ReadText(installed + "Quiltra.ini"), "[Options]\r\n");
  CloseAndWait(game);

  // The tree: copied over the old files, without hidden and system ones,
  // and with what only the target had.
  EXPECT_FALSE(Exists(installed + "Install.exe"));
  EXPECT_EQ(ReadText(installed + "Quiltra.exe"), ReadText(QuiltraExe()));
  EXPECT_EQ(ReadText(installed + "Readme.txt"), kTestReadme);
  EXPECT_EQ(ReadText(installed + "Pictures\\Sample.jpg"), "picture");
  EXPECT_FALSE(Exists(installed + "hidden.txt"));
  EXPECT_FALSE(Exists(installed + "system.txt"));

  // The shortcuts and the uninstall entry.
  const std::string exe = installed + "Quiltra.exe";
  const std::string group = TCleanInstallation::Group(true);
  struct TExpectedLink {
    std::string Path, Target, Arguments;
  };
  for (const TExpectedLink& expected :
       {TExpectedLink{TCleanInstallation::DesktopLink(true), exe, ""},
        TExpectedLink{group + "Quiltra.lnk", exe, ""},
        TExpectedLink{group + "Uninstall.lnk", exe, "/Uninstall"},
        TExpectedLink{group + "Readme.lnk", installed + "Readme.txt", ""}}) {
    const TLink link = ReadLink(expected.Path);
    ASSERT_TRUE(link.Read) << expected.Path;
    EXPECT_TRUE(SamePath(link.Target, expected.Target)) << expected.Path << ": " << link.Target;
    EXPECT_TRUE(SamePath(link.WorkingDirectory, installed)) << expected.Path;
    EXPECT_EQ(link.Arguments, expected.Arguments) << expected.Path;
  }
  EXPECT_EQ(UninstallValue("DisplayName"), "Quiltra");
  EXPECT_EQ(UninstallValue("UninstallString"), "\"" + exe + "\" /Uninstall");
  // What Settings shows beside the name, from the program's version resource.
  EXPECT_TRUE(SamePath(UninstallValue("DisplayIcon"), exe));
  EXPECT_TRUE(SamePath(UninstallValue("InstallLocation") + "\\", installed));
  EXPECT_EQ(UninstallValue("DisplayVersion"), "2.5.2");
  EXPECT_EQ(UninstallValue("Publisher"), "The Quiltra developers");
  EXPECT_EQ(UninstallValue("InstallDate").size(), 8u);
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallKey));
  // Saved games open with it from Explorer.
  EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.qtg", ""), "Quiltra.Game");
  EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, kGameType, ""), "Quiltra game");
  EXPECT_EQ(
      RegistryString(HKEY_LOCAL_MACHINE, std::string(kGameType) + "\\shell\\open\\command", ""),
      "\"" + exe + "\" \"%1\"");

  // The installed game uninstalls itself; the switch's letter case does not
  // matter.
  {
    TProcess uninstaller(exe, "/UNINSTALL");
    HWND window = uninstaller.WaitWindow("TInstallForm");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Text(window), "Uninstall Quiltra");
    EXPECT_NE(ChildWithText(window, "TPanel", "Bye from Quiltra"), nullptr);
    EXPECT_NE(ChildWithText(window, "TLabel", "The following directory will be deleted:"), nullptr);
    EXPECT_TRUE(SamePath(Text(EditOf(window, false)), installed));
    EXPECT_FALSE(IsWindowEnabled(ChildWithText(window, "Button", "&Browse")));
    Sleep(300);
    SaveScreenshot("installer-uninstall");

    ASSERT_TRUE(PressButton(window, "Un&install"));
    // The game, started from this folder of the test's, made its games
    // folder next to itself; saved games never go with the program.
    const std::string kept = " The saved games in \"" + installed + "QuiltraGames\" are kept.";
    EXPECT_EQ(AnswerBox(uninstaller, IDYES), "Delete directory \"" + Text(EditOf(window, false)) +
                                                 "\" (and all contained files)?" + kept);
    ASSERT_NE(WaitMessageBox(uninstaller), nullptr);
    SaveScreenshot("uninstall-message");
    std::string caption;
    EXPECT_EQ(AnswerBox(uninstaller, IDOK, &caption),
              "Uninstallation successful. Some files that were in use were not deleted." + kept);
    EXPECT_EQ(caption, "Message");
    EXPECT_EQ(uninstaller.Wait(), 0);
  }
  // The running program and the games stayed; everything else went.
  EXPECT_TRUE(Exists(exe));
  EXPECT_TRUE(Exists(installed + "QuiltraGames"));
  for (const char* name : {"Readme.txt", "Quiltra.ini", "Pictures"})
    EXPECT_FALSE(Exists(installed + name)) << name;
  EXPECT_FALSE(Exists(TCleanInstallation::DesktopLink(true)));
  EXPECT_FALSE(Exists(group));
  EXPECT_FALSE(UninstallKeyExists());
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kGameType));
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, "Software\\Classes\\.qtg"));
}

// The game still running from the target: its executable can't be replaced,
// which ends the installation with the error dialog before any shortcut or
// uninstall entry is made.
TEST_F(InstallerTest, AProgramThatCantBeReplacedStopsTheInstallation) {
  TDistribution distribution;
  TTempDir target;
  const std::string installed = target.File(TDistribution::Name()) + "\\";
  CreateDirectoryA(installed.c_str(), nullptr);
  TProcess running(InstallGame(target, TDistribution::Name() + "\\Quiltra.exe"));
  ASSERT_NE(running.WaitWindow("TQuiltraForm"), nullptr);

  TProcess installer(distribution.Exe());
  HWND window = PressInInstaller(installer, "&Install", target.Path());
  ASSERT_NE(window, nullptr);
  EXPECT_NE(AnswerBox(installer, IDYES), "(no box)");
  HWND error = installer.WaitWindow("TErrorForm");
  ASSERT_NE(error, nullptr);
  const std::string report = Text(Children(error, "Edit").at(0));
  EXPECT_EQ(report.rfind("DESCRIPTION\r\nFailed to install program. Check to see if you have "
                         "rights to write in the installation directory.\r\n",
                         0),
            0u)
      << report;
  EXPECT_NE(report.find("* Description: \"Failed to rename.\""), std::string::npos) << report;
  ASSERT_TRUE(PressButton(error, "&Okay"));
  EXPECT_EQ(installer.Wait(), 0);

  EXPECT_EQ(ReadText(installed + "Readme.txt"), kTestReadme);  // the copy went on
  EXPECT_TRUE(Exists(installed + "Install.exe"));
  EXPECT_FALSE(Exists(TCleanInstallation::DesktopLink(true)));
  EXPECT_FALSE(Exists(TCleanInstallation::Group(true)));
  EXPECT_FALSE(UninstallKeyExists());
  EXPECT_TRUE(running.Running());
  PostMessageA(running.WaitWindow("TQuiltraForm"), WM_CLOSE, 0, 0);
  EXPECT_EQ(running.Wait(), 0);
}

TEST_F(InstallerTest, NoToEitherQuestionChangesNothing) {
  TDistribution distribution;
  TTempDir target;
  {
    TProcess installer(distribution.Exe());
    HWND window = PressInInstaller(installer, "&Install", target.Path());
    ASSERT_NE(window, nullptr);
    EXPECT_NE(AnswerBox(installer, IDNO), "(no box)");
    EXPECT_EQ(installer.Wait(), 0);
  }
  EXPECT_FALSE(Exists(target.File(TDistribution::Name())));
  EXPECT_FALSE(Exists(TCleanInstallation::DesktopLink(true)));
  EXPECT_FALSE(Exists(TCleanInstallation::Group(true)));
  EXPECT_FALSE(UninstallKeyExists());

  // "Install.exe" with the switch uninstalls its own folder, when asked to.
  TProcess uninstaller(distribution.Exe(), "/Uninstall");
  HWND window = uninstaller.WaitWindow("TInstallForm");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Text(window), "Uninstall Quiltra");
  ASSERT_TRUE(PressButton(window, "Un&install"));
  EXPECT_NE(AnswerBox(uninstaller, IDNO), "(no box)");
  EXPECT_EQ(uninstaller.Wait(), 0);
  for (const char* name : {"Install.exe", "Readme.txt", "Pictures\\Sample.jpg", "hidden.txt"})
    EXPECT_TRUE(Exists(distribution.Folder() + name)) << name;
}

TEST_F(InstallerTest, TheExecutablesNameAndFirstParameterChooseTheMode) {
  // An installer in capitals; Esc closes it.
  {
    TDistribution distribution("INSTALL.EXE");
    TProcess installer(distribution.Exe());
    HWND window = installer.WaitWindow("TInstallForm");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Text(window), "Install Quiltra");
    WaitFor([&] { return GetForegroundWindow() == window; }, 3000);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(installer.Wait(), 0);
  }
  // The switch counts only as the first parameter.
  {
    TTempDir folder;
    TProcess game(InstallGame(folder), "game /Uninstall");
    HWND window = game.WaitWindow("TQuiltraForm");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(game.FindWindow("TInstallForm"), nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(game.Wait(), 0);
  }
}

// Installing a folder onto itself would leave no distribution; uninstalling a
// folder that is not the program's own would delete what is not its own.
TEST_F(InstallerTest, DirectoriesThatMustNotBeUsedAreRefusedAndTheWindowStays) {
  TDistribution distribution;
  {
    TProcess installer(distribution.Exe());
    HWND window = PressInInstaller(installer, "&Install", distribution.Parent());
    ASSERT_NE(window, nullptr);
    std::string caption;
    EXPECT_EQ(AnswerBox(installer, IDOK, &caption),
              "The program would be installed in the directory it is installed from. Choose "
              "another installation directory.");
    EXPECT_EQ(caption, "Error");
    HWND install = ChildWithText(window, "Button", "&Install");
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(install); }));
    EXPECT_TRUE(installer.Running());
    ASSERT_TRUE(PressButton(window, "&Cancel"));
    EXPECT_EQ(installer.Wait(), 0);
  }
  EXPECT_TRUE(Exists(distribution.Exe()));

  // The program lying on the desktop: the desktop is not its to delete.
  struct TDesktopCopy {
    std::string Path = SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "QuiltraOnDesktop" +
                       std::to_string(GetCurrentProcessId()) + ".exe";
    ~TDesktopCopy() { DeleteFileA(Path.c_str()); }
  } copy;
  ASSERT_TRUE(CopyFileA(QuiltraExe().c_str(), copy.Path.c_str(), FALSE));
  TProcess uninstaller(copy.Path, "/Uninstall");
  HWND window = PressInInstaller(uninstaller, "Un&install");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(AnswerBox(uninstaller, IDOK),
            "The program lies in directory \"" + Text(EditOf(window, false)) +
                "\", which is not a directory of its own. Uninstalling would delete everything "
                "in it, so nothing is deleted.");
  EXPECT_TRUE(Exists(SpecialFolder(CSIDL_DESKTOPDIRECTORY)));
  ASSERT_TRUE(PressButton(window, "&Cancel"));
  EXPECT_EQ(uninstaller.Wait(), 0);
  EXPECT_TRUE(Exists(copy.Path));
}

TEST_F(InstallerTest, ADistributionInADrivesRootIsRefusedBeforeAnythingIsCopied) {
  TDistribution distribution;
  TWineDrive drive(distribution.Folder());
  if (drive.Root().empty()) GTEST_SKIP() << "no drive letter can be defined here";
  ASSERT_TRUE(Exists(drive.Root() + "Install.exe"));
  TTempDir target;
  TProcess installer(drive.Root() + "Install.exe");
  HWND window = PressInInstaller(installer, "&Install", target.Path());
  ASSERT_NE(window, nullptr);
  std::string caption;
  EXPECT_EQ(AnswerBox(installer, IDOK, &caption),
            "The program can't be installed from the root directory of a drive. Put the "
            "distribution in a directory of its own and start \"Install.exe\" from there.");
  EXPECT_EQ(caption, "Error");
  ASSERT_TRUE(PressButton(window, "&Cancel"));
  EXPECT_EQ(installer.Wait(), 0);
  // Nothing was copied, not even into a folder named after the drive.
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((target.Path() + "*").c_str(), &entry);
  int entries = 0;
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (strcmp(entry.cFileName, ".") != 0 && strcmp(entry.cFileName, "..") != 0) ++entries;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  EXPECT_EQ(entries, 0);
  EXPECT_FALSE(UninstallKeyExists());
}
