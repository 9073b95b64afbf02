// The installer and uninstaller as a standard user has them: Program Files
// can't be written, so the default installation goes into the user's own
// programs folder with the user's own uninstall entry; a folder the user
// can't write in is refused before anything is copied; an uninstallation
// that can't delete says so and keeps the entry.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include "support/driver.h"
#include "support/game.h"
#include "support/installation.h"
#include "support/system.h"

using namespace ui;

namespace {

// The folder the test's script made read-only, holding an installation in
// "Quiltra".
std::string ReadOnlyFolder() {
  std::string folder = PathArgument("readonly");
  return folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
}

class StandardUserInstaller : public testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    ASSERT_FALSE(ReadOnlyFolder().empty()) << "run through standard-user.sh";
    // Only a Wine server without the capabilities refuses this.
    const std::string trial = SpecialFolder(CSIDL_PROGRAM_FILES) + "trial.txt";
    HANDLE file = CreateFileA(trial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    ASSERT_EQ(file, INVALID_HANDLE_VALUE) << "Program Files can be written";
  }
  void TearDown() override { CoUninitialize(); }
  TCleanInstallation clean_;
};

}  // namespace

TEST_F(StandardUserInstaller, TheDefaultGoesToTheUsersProgramsAndUninstallsFromThere) {
  TDistribution distribution;
  const std::string installed = TCleanInstallation::InUserPrograms();
  const std::string exe = installed + "Quiltra.exe";
  {
    TProcess installer(distribution.Exe());
    HWND window = PressInInstaller(installer, "&Install");
    ASSERT_NE(window, nullptr);
    ASSERT_NE(WaitMessageBox(installer), nullptr);
    Sleep(300);
    SaveScreenshot("installer-standard-user");
    // The question names the folder really used.
    EXPECT_EQ(AnswerBox(installer, IDYES), "Install the program in directory \"" +
                                               installed.substr(0, installed.size() - 1) + "\"?");
    EXPECT_EQ(installer.Wait(), 0);
  }
  const TProcessWindow game = WaitAnyWindow("TQuiltraForm");
  ASSERT_NE(game.Window, nullptr);
  EXPECT_TRUE(SamePath(ProcessExe(game.ProcessId), exe)) << ProcessExe(game.ProcessId);
  CloseAndWait(game);
  // Installed, the game keeps its games in the documents, though it could
  // write in its own folder: they outlive it.
  const std::string games = SpecialFolder(CSIDL_PERSONAL) + "QuiltraGames\\";
  EXPECT_TRUE(Exists(games));
  EXPECT_FALSE(Exists(installed + "QuiltraGames"));
  WriteText(games + "saved.qtg", "[QuiltraGame]\r\n");

  // Games an older version kept next to the program go with the player at
  // the next start, never over a game of the same name, and the last game
  // follows.
  CreateDirectoryA((installed + "QuiltraGames").c_str(), nullptr);
  WriteText(installed + "QuiltraGames\\old.qtg", "old game");
  WriteText(installed + "QuiltraGames\\saved.qtg", "older copy");
  const std::string options = SpecialFolder(CSIDL_APPDATA) + "Quiltra\\Quiltra.ini";
  WritePrivateProfileStringA("QuiltraGame", "LastGameTitle",
                             (installed + "QuiltraGames\\old.qtg").c_str(), options.c_str());
  {
    TProcess again(exe);
    HWND window = again.WaitWindow("TQuiltraForm");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(CloseQuietly(again, window));
  }
  EXPECT_EQ(ReadText(games + "old.qtg"), "old game");
  EXPECT_EQ(ReadText(games + "saved.qtg"), "[QuiltraGame]\r\n");
  char last[MAX_PATH] = {};
  GetPrivateProfileStringA("QuiltraGame", "LastGameTitle", "", last, sizeof last, options.c_str());
  EXPECT_TRUE(SamePath(last, games + "old.qtg")) << last;
  DeleteFileA((games + "old.qtg").c_str());

  for (const std::string& path :
       {TCleanInstallation::DesktopLink(false), TCleanInstallation::Group(false) + "Quiltra.lnk"}) {
    const TLink link = ReadLink(path);
    ASSERT_TRUE(link.Read) << path;
    EXPECT_TRUE(SamePath(link.Target, exe)) << path << ": " << link.Target;
  }
  EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, kUninstallKey, "UninstallString"),
            "\"" + exe + "\" /Uninstall");
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));

  {
    TProcess uninstaller(exe, "/Uninstall");
    HWND window = PressInInstaller(uninstaller, "Un&install");
    ASSERT_NE(window, nullptr);
    EXPECT_NE(AnswerBox(uninstaller, IDYES), "(no box)");
    EXPECT_EQ(AnswerBox(uninstaller, IDOK),
              "Uninstallation successful. Some files that were in use were not deleted. The saved "
              "games in \"" +
                  installed + "QuiltraGames\" are kept.");
    EXPECT_EQ(uninstaller.Wait(), 0);
  }
  EXPECT_TRUE(Exists(installed + "QuiltraGames\\old.qtg"));
  EXPECT_FALSE(Exists(installed + "Readme.txt"));
  EXPECT_FALSE(Exists(TCleanInstallation::DesktopLink(false)));
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallKey));
  EXPECT_TRUE(Exists(games + "saved.qtg"));
  DeleteFileA((games + "saved.qtg").c_str());
}

TEST_F(StandardUserInstaller, AChosenFolderTheUserCantWriteIsRefusedAndNothingIsCopied) {
  TDistribution distribution;
  TProcess installer(distribution.Exe());
  HWND window = installer.WaitWindow("TInstallForm");
  ASSERT_NE(window, nullptr);
  SetInstallTo(window, ReadOnlyFolder());
  ASSERT_TRUE(PressButton(window, "&Install"));
  std::string caption;
  EXPECT_EQ(AnswerBox(installer, IDOK, &caption), "You cannot write in directory \"" +
                                                      ReadOnlyFolder() +
                                                      "\". Choose another installation directory.");
  EXPECT_EQ(caption, "Error");
  // The window stays for another choice, and no other box follows.
  HWND install = ChildWithText(window, "Button", "&Install");
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(install); }));
  EXPECT_EQ(WaitMessageBox(installer, 500), nullptr);
  EXPECT_FALSE(Exists(ReadOnlyFolder() + TDistribution::Name()));
  ASSERT_TRUE(PressButton(window, "&Cancel"));
  EXPECT_EQ(installer.Wait(), 0);
}

// An for all users, uninstalled without the rights to delete it.
TEST_F(StandardUserInstaller, AnUninstallationThatCantDeleteSaysSoAndKeepsTheEntry) {
  const std::string folder = ReadOnlyFolder() + "Quiltra\\";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::string command = "\"" + folder + "Quiltra.exe\" /Uninstall";
  RegSetValueExA(key, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                 static_cast<DWORD>(command.size() + 1));
  RegCloseKey(key);

  TProcess uninstaller(folder + "Quiltra.exe", "/Uninstall");
  HWND window = PressInInstaller(uninstaller, "Un&install");
  ASSERT_NE(window, nullptr);
  EXPECT_NE(AnswerBox(uninstaller, IDYES), "(no box)");
  std::string caption;
  EXPECT_EQ(AnswerBox(uninstaller, IDOK, &caption),
            "Could not delete directory \"" + Text(EditOf(window, false)) +
                "\". Run the uninstaller as an administrator.");
  EXPECT_EQ(caption, "Error");
  EXPECT_EQ(uninstaller.Wait(), 0);
  EXPECT_TRUE(Exists(folder + "Readme.txt"));
  EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"), command);
}
