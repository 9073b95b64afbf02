// The system's version and the uninstall entry in the real registry.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/funstat.h"
#include "platform/handles.h"
#include "platform/system.h"

namespace {

std::string ReadValue(HKEY key, const char* name) {
  char value[512] = {};
  DWORD size = sizeof value - 1;
  DWORD type = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ)
    return "(missing)";
  return value;
}

UniqueRegistryKey OpenKey(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return nullptr;
  return UniqueRegistryKey(key);
}

}  // namespace

TEST(System, IsVersionFiveOrLater) {
  EXPECT_TRUE(IsWindowsVersion5OrLater());
}

TEST(UninstallRegistry, TheEntryIsWrittenWithBothValuesAndDeletedAgain) {
  const std::string name = "QuiltraTest" + std::to_string(GetCurrentProcessId());
  const std::string path = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name;
  EXPECT_EQ(UninstallKeyPath(name), path);
  const std::string command = "C:\\Program Files\\Quiltra\\Quiltra.exe /Uninstall";

  SetUninstallRegistry(name, "Quiltra", command);
  EXPECT_EQ(FunStatContext.Status, fsPerfect) << FunStatContext.Description;
  {
    UniqueRegistryKey key = OpenKey(path);
    ASSERT_TRUE(key);
    EXPECT_EQ(ReadValue(key.get(), "DisplayName"), "Quiltra");
    EXPECT_EQ(ReadValue(key.get(), "UninstallString"), command);
  }
  // Writing again replaces the values.
  SetUninstallRegistry(name, "Quiltra 2", command);
  EXPECT_EQ(ReadValue(OpenKey(path).get(), "DisplayName"), "Quiltra 2");

  DeleteUninstallerRegistry(name);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_FALSE(OpenKey(path));
  // Deleting what is not there is no failure either.
  DeleteUninstallerRegistry(name);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
}

TEST(UninstallRegistry, AnEmptyKeyNameNeverTouchesTheUninstallList) {
  const std::string list = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  SetUninstallRegistry("", "Quiltra", "x");
  DeleteUninstallerRegistry("");
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  if (UniqueRegistryKey key = OpenKey(list)) {
    EXPECT_EQ(ReadValue(key.get(), "DisplayName"), "(missing)");
  }
}
