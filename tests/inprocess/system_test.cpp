// The uninstall entry in the real registry (HKEY_LOCAL_MACHINE of the test
// prefix: 32-bit for the 32-bit build, 64-bit for the 64-bit one). Plain
// reads here see the view the build under test sees.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/funstat.h"
#include "platform/handles.h"
#include "platform/system.h"
#include "testsupport.h"

namespace {

std::string ReadValue(const std::string& keyPath, const char* name) {
  char value[512] = {};
  DWORD size = sizeof value - 1;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), name, RRF_RT_REG_SZ, nullptr, value,
                   &size) != ERROR_SUCCESS)
    return "(missing)";
  return value;
}

bool KeyExists(const std::string& keyPath, HKEY root = HKEY_LOCAL_MACHINE, REGSAM view = 0) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

}  // namespace

TEST(UninstallRegistry, TheEntryIsWrittenWithBothValuesAndDeletedAgain) {
  const std::string name = "QuiltraTest" + std::to_string(GetCurrentProcessId());
  const std::string path = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name;
  const std::string command = "C:\\Program Files\\Quiltra\\Quiltra.exe /Uninstall";
  SetUninstallRegistry(name, "Quiltra", command, TUninstallRoot::LocalMachine,
                       {.DisplayIcon = "C:\\Program Files\\Quiltra\\Quiltra.exe",
                        .DisplayVersion = "2.5.2",
                        .Publisher = "The Quiltra developers",
                        .InstallLocation = "C:\\Program Files\\Quiltra",
                        .InstallDate = "20261209",
                        .EstimatedSizeKB = 1700});
  EXPECT_EQ(FunStatContext.Status, fsPerfect) << FunStatContext.Description;
  EXPECT_EQ(ReadValue(path, "DisplayName"), "Quiltra");
  EXPECT_EQ(ReadValue(path, "UninstallString"), command);
  EXPECT_EQ(ReadValue(path, "DisplayVersion"), "2.5.2");
  EXPECT_EQ(ReadValue(path, "InstallDate"), "20261209");
  for (const auto& [value, expected] :
       {std::pair{"EstimatedSize", 1700u}, {"NoModify", 1u}, {"NoRepair", 1u}}) {
    DWORD number = 0, size = sizeof number;
    EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), value, RRF_RT_REG_DWORD, nullptr,
                           &number, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(number, expected) << value;
  }
  EXPECT_TRUE(HasUninstallEntry(name, TUninstallRoot::LocalMachine));
  EXPECT_FALSE(HasUninstallEntry(name, TUninstallRoot::CurrentUser));

  EXPECT_EQ(DeleteUninstallerRegistry(name), TEntryRemoval::Removed);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_FALSE(KeyExists(path));
  // Nothing there: no failure, and no success either.
  EXPECT_EQ(DeleteUninstallerRegistry(name), TEntryRemoval::NoneNamesIt);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_TRUE(IsWindowsVersion5OrLater());
}

TEST(UninstallRegistry, AnEmptyKeyNameNeverTouchesTheUninstallList) {
  SetUninstallRegistry("", "Quiltra", "x");
  DeleteUninstallerRegistry("");
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_EQ(ReadValue("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "DisplayName"),
            "(missing)");
}

// Settings lists both views of 64-bit Windows; each build's entry lies in its
// own, where its uninstaller looks, and not in the other.
TEST(UninstallRegistry, TheEntryLiesInTheViewOfTheProgramsArchitecture) {
  const std::string name = "QuiltraTest" + std::to_string(GetCurrentProcessId());
  const std::string path = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name;
  const bool is64 = sizeof(void*) == 8;
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  SetUninstallRegistry(name, "Quiltra", "\"C:\\Quiltra\\Quiltra.exe\" /Uninstall");
  EXPECT_TRUE(KeyExists(path, HKEY_LOCAL_MACHINE, is64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY));
  if (is64 || wow64) {
    EXPECT_FALSE(KeyExists(path, HKEY_LOCAL_MACHINE, is64 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY));
  }
  EXPECT_EQ(DeleteUninstallerRegistry(name), TEntryRemoval::Removed);
  EXPECT_FALSE(KeyExists(path, HKEY_LOCAL_MACHINE, is64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY));
}

// A user's own installation and one for all users of the same program: each
// uninstaller removes its own entry, the user's first when neither is its.
TEST(UninstallRegistry, EachInstallationRemovesItsOwnEntryTheUsersFirst) {
  const std::string name = "QuiltraTest" + std::to_string(GetCurrentProcessId());
  const std::string path = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name;
  const std::string everyones = "C:\\Program Files\\Quiltra\\Quiltra.exe";
  SetUninstallRegistry(name, "Quiltra", "\"C:\\Mine\\Quiltra.exe\" /Uninstall",
                       TUninstallRoot::CurrentUser);
  SetUninstallRegistry(name, "Quiltra", everyones + " /Uninstall");  // the old unquoted form
  EXPECT_EQ(DeleteUninstallerRegistry(name, everyones), TEntryRemoval::Removed);
  EXPECT_FALSE(KeyExists(path));
  EXPECT_TRUE(KeyExists(path, HKEY_CURRENT_USER));
  // An uninstaller whose installation no entry names (run by another
  // account) removes none and says so.
  SetUninstallRegistry(name, "Quiltra", everyones + " /Uninstall");
  EXPECT_EQ(DeleteUninstallerRegistry(name, "C:\\Elsewhere\\Quiltra.exe"),
            TEntryRemoval::NoneNamesIt);
  EXPECT_TRUE(KeyExists(path, HKEY_CURRENT_USER));
  EXPECT_TRUE(KeyExists(path));
  EXPECT_EQ(DeleteUninstallerRegistry(name), TEntryRemoval::Removed);  // the user's first
  EXPECT_FALSE(KeyExists(path, HKEY_CURRENT_USER));
  EXPECT_EQ(DeleteUninstallerRegistry(name), TEntryRemoval::Removed);
  EXPECT_FALSE(KeyExists(path));

  EXPECT_TRUE(CanWriteUninstallRegistry(name, TUninstallRoot::LocalMachine));
  test::TRefusedMachineRoot refused;
  EXPECT_FALSE(CanWriteUninstallRegistry(name, TUninstallRoot::LocalMachine));
  EXPECT_TRUE(CanWriteUninstallRegistry(name, TUninstallRoot::CurrentUser));
}
