#include "system.h"

#include <windows.h>
#include <shlobj.h>

#include <utility>

#include "core/statusframe.h"
#include "platform/handles.h"
#include "platform/paths.h"

namespace {

// An empty key name would name the whole uninstall list, which holds every
// installed program's entry: never write into it or delete it.
bool IsUsableKeyName(const std::string& keyName) {
  return !keyName.empty();
}

// Settings lists the entries of both registry views. Each build keeps its
// entry in its own program's default view (a 32-bit program's under
// WOW6432Node on 64-bit Windows), so the uninstaller finds what the installer
// wrote.
const char* const kUninstallList = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::string UninstallKeyPath(const std::string& keyName) {
  return std::string(kUninstallList) + "\\" + keyName;
}

void WriteRegistryString(HKEY key, const char* name, const std::string& value) {
  LONG result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>(value.size() + 1));
  if (result != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(result));
    THROW_PROGRAM_ERROR(std::string("Failed to set data for \"") + name + "\".");
  }
}

void WriteRegistryNumber(HKEY key, const char* name, DWORD value) {
  LONG result =
      RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  if (result != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(result));
    THROW_PROGRAM_ERROR(std::string("Failed to set data for \"") + name + "\".");
  }
}

HKEY RootKey(TUninstallRoot root) {
  return root == TUninstallRoot::CurrentUser ? HKEY_CURRENT_USER : UninstallMachineRoot;
}

// The opened entry, or none.
UniqueRegistryKey OpenUninstallKey(HKEY root, const std::string& keyName, REGSAM access) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, UninstallKeyPath(keyName).c_str(), 0, access, &opened) != ERROR_SUCCESS)
    return UniqueRegistryKey();
  return UniqueRegistryKey(opened);
}

// The program an uninstall command starts: the quoted path, or all before the
// last blank in the old unquoted form.
std::string CommandProgram(const std::string& command) {
  if (!command.empty() && command[0] == '"') return command.substr(1, command.find('"', 1) - 1);
  return command.substr(0, command.rfind(' '));
}

std::string UninstallCommandOf(HKEY key) {
  char value[MAX_PATH + 64] = {};
  DWORD size = sizeof value - 1;
  if (RegQueryValueExA(key, "UninstallString", nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                       &size) != ERROR_SUCCESS)
    return "";
  return value;
}

// A key's default text, or empty.
std::string DefaultText(HKEY root, const std::string& path) {
  char value[MAX_PATH + 64] = {};
  LONG size = sizeof value - 1;
  if (RegQueryValueA(root, path.c_str(), value, &size) != ERROR_SUCCESS) return "";
  return value;
}

bool SetDefaultText(HKEY root, const std::string& path, const std::string& text) {
  return RegSetValueA(root, path.c_str(), REG_SZ, text.c_str(), static_cast<DWORD>(text.size())) ==
         ERROR_SUCCESS;
}

const char* const kClasses = "Software\\Classes\\";

}  // namespace

HKEY UninstallMachineRoot = HKEY_LOCAL_MACHINE;

void RegisterFileType(const TFileType& type, const std::string& program, TUninstallRoot root) {
  HKEY classes = RootKey(root);
  const std::string progId = kClasses + type.ProgId;
  if (SetDefaultText(classes, progId, type.Description) &&
      SetDefaultText(classes, progId + "\\DefaultIcon", "\"" + program + "\",0") &&
      SetDefaultText(classes, progId + "\\shell\\open\\command", "\"" + program + "\" \"%1\""))
    SetDefaultText(classes, kClasses + type.Extension, type.ProgId);
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

void UnregisterFileType(const TFileType& type, const std::string& program) {
  bool changed = false;
  for (TUninstallRoot root : {TUninstallRoot::CurrentUser, TUninstallRoot::LocalMachine}) {
    HKEY classes = RootKey(root);
    const std::string progId = kClasses + type.ProgId;
    const std::string command = DefaultText(classes, progId + "\\shell\\open\\command");
    if (command.empty() || !IsSamePath(CommandProgram(command), program)) continue;
    // Our own keys, the deepest first: none of them has others.
    for (const char* key :
         {"\\shell\\open\\command", "\\shell\\open", "\\shell", "\\DefaultIcon", ""})
      RegDeleteKeyA(classes, (progId + key).c_str());
    // The shell may have added keys of its own under the extension: then
    // only its link to our type goes.
    const std::string extension = kClasses + type.Extension;
    if (DefaultText(classes, extension) == type.ProgId &&
        RegDeleteKeyA(classes, extension.c_str()) != ERROR_SUCCESS) {
      HKEY opened = nullptr;
      if (RegOpenKeyExA(classes, extension.c_str(), 0, KEY_SET_VALUE, &opened) == ERROR_SUCCESS) {
        RegDeleteValueA(opened, nullptr);
        RegCloseKey(opened);
      }
    }
    changed = true;
  }
  if (changed) SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

bool IsWindowsVersion5OrLater() {
  SetLastError(0);
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
  GetVersionExA(&info);
  return info.dwMajorVersion > 4;
}

bool CanWriteUninstallRegistry(const std::string& keyName, TUninstallRoot root) {
  if (!IsUsableKeyName(keyName)) return false;
  // Asking for the rights opens the key without changing anything.
  if (OpenUninstallKey(RootKey(root), keyName, KEY_SET_VALUE)) return true;
  if (OpenUninstallKey(RootKey(root), keyName, KEY_READ)) return false;
  HKEY list = nullptr;
  if (RegOpenKeyExA(RootKey(root), kUninstallList, 0, KEY_CREATE_SUB_KEY, &list) == ERROR_SUCCESS) {
    RegCloseKey(list);
    return true;
  }
  // A user's root may not hold the uninstall list yet; it is made with the
  // entry.
  return root == TUninstallRoot::CurrentUser;
}

bool HasUninstallEntry(const std::string& keyName, TUninstallRoot root) {
  return IsUsableKeyName(keyName) && OpenUninstallKey(RootKey(root), keyName, KEY_READ) != nullptr;
}

void SetUninstallRegistry(const std::string& keyName, const std::string& displayName,
                          const std::string& uninstallCommand, TUninstallRoot root,
                          const TUninstallDetails& details) {
  STATUS_FRAME("SetUninstallRegistry");
  frame.Run([&] {
    if (!IsUsableKeyName(keyName)) return;
    HKEY opened = nullptr;
    if (RegCreateKeyExA(RootKey(root), UninstallKeyPath(keyName).c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &opened, nullptr) != ERROR_SUCCESS)
      return;
    UniqueRegistryKey key(opened);
    WriteRegistryString(key.get(), "DisplayName", displayName);
    WriteRegistryString(key.get(), "UninstallString", uninstallCommand);
    const std::pair<const char*, const std::string*> texts[] = {
        {"DisplayIcon", &details.DisplayIcon},
        {"DisplayVersion", &details.DisplayVersion},
        {"Publisher", &details.Publisher},
        {"InstallLocation", &details.InstallLocation},
        {"InstallDate", &details.InstallDate}};
    for (const auto& [name, value] : texts)
      if (!value->empty()) WriteRegistryString(key.get(), name, *value);
    if (details.EstimatedSizeKB > 0)
      WriteRegistryNumber(key.get(), "EstimatedSize", details.EstimatedSizeKB);
    WriteRegistryNumber(key.get(), "NoModify", 1);
    WriteRegistryNumber(key.get(), "NoRepair", 1);
  });
}

std::optional<TUninstallRoot> FindUninstallEntry(const std::string& keyName,
                                                 const std::string& programFile) {
  if (!IsUsableKeyName(keyName)) return std::nullopt;
  for (TUninstallRoot root : {TUninstallRoot::CurrentUser, TUninstallRoot::LocalMachine}) {
    UniqueRegistryKey key = OpenUninstallKey(RootKey(root), keyName, KEY_READ);
    if (key && (programFile.empty() ||
                IsSamePath(CommandProgram(UninstallCommandOf(key.get())), programFile)))
      return root;
  }
  return std::nullopt;
}

TEntryRemoval DeleteUninstallerRegistry(const std::string& keyName,
                                        const std::string& programFile) {
  STATUS_FRAME("DeleteUninstallerRegistry");
  TEntryRemoval removal = TEntryRemoval::NoneNamesIt;
  frame.Run([&] {
    // An entry of another installation of the same program stays.
    const std::optional<TUninstallRoot> root = FindUninstallEntry(keyName, programFile);
    // RegDeleteKeyA removes the key with its values and refuses a key that
    // has subkeys of its own, which ours never has.
    if (root)
      removal = RegDeleteKeyA(RootKey(*root), UninstallKeyPath(keyName).c_str()) == ERROR_SUCCESS
                    ? TEntryRemoval::Removed
                    : TEntryRemoval::Refused;
  });
  return removal;
}
