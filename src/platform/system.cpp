#include "system.h"

#include <windows.h>

#include "core/statusframe.h"
#include "platform/handles.h"

namespace {

// An empty key name would name the whole uninstall list, which holds every
// installed program's entry: never write into it or delete it.
bool IsUsableKeyName(const std::string& keyName) {
  return !keyName.empty();
}

std::string UninstallKeyPath(const std::string& keyName) {
  return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + keyName;
}

void WriteRegistryString(HKEY key, const char* name, const std::string& value) {
  LONG result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>(value.size() + 1));
  if (result != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(result));
    THROW_PROGRAM_ERROR(std::string("Failed to set data for \"") + name + "\".");
  }
}

}  // namespace

bool IsWindowsVersion5OrLater() {
  SetLastError(0);
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
  GetVersionExA(&info);
  return info.dwMajorVersion > 4;
}

void SetUninstallRegistry(const std::string& keyName, const std::string& displayName,
                          const std::string& uninstallCommand) {
  STATUS_FRAME("SetUninstallRegistry");
  frame.Run([&] {
    if (!IsUsableKeyName(keyName)) return;
    HKEY opened = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, UninstallKeyPath(keyName).c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &opened, nullptr) != ERROR_SUCCESS)
      return;
    UniqueRegistryKey key(opened);
    WriteRegistryString(key.get(), "DisplayName", displayName);
    WriteRegistryString(key.get(), "UninstallString", uninstallCommand);
  });
}

void DeleteUninstallerRegistry(const std::string& keyName) {
  STATUS_FRAME("DeleteUninstallerRegistry");
  frame.Run([&] {
    if (!IsUsableKeyName(keyName)) return;
    // RegDeleteKeyA removes the key with its values and refuses a key that
    // has subkeys of its own, which ours never has.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, UninstallKeyPath(keyName).c_str());
  });
}
