#include "system.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>
#include <utility>
#include <vector>

#include "driver.h"

namespace ui {

std::string SpecialFolder(int folder) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path);
  std::string result = path;
  if (!result.empty() && result.back() != '\\') result += '\\';
  return result;
}

bool SamePath(const std::string& a, const std::string& b) {
  return _stricmp(a.c_str(), b.c_str()) == 0;
}

bool RegistryKeyExists(HKEY root, const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

std::string RegistryString(HKEY root, const std::string& key, const std::string& name) {
  char value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS)
    return "(none)";
  return value;
}

HWND Focused(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

namespace {

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM search) {
  auto* found = reinterpret_cast<std::pair<std::string, TProcessWindow>*>(search);
  if (!IsWindowVisible(window) || ClassOf(window) != found->first) return TRUE;
  found->second.Window = window;
  GetWindowThreadProcessId(window, &found->second.ProcessId);
  return FALSE;
}

}  // namespace

TProcessWindow WaitAnyWindow(const std::string& className, int timeoutMs) {
  std::pair<std::string, TProcessWindow> search{className, {}};
  WaitFor(
      [&] {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        return search.second.Window != nullptr;
      },
      timeoutMs);
  return search.second;
}

std::string ProcessExe(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return "";
  char path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  QueryFullProcessImageNameA(process, 0, path, &size);
  CloseHandle(process);
  return path;
}

void CloseAndWait(const TProcessWindow& window) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, window.ProcessId);
  PostMessageA(window.Window, WM_CLOSE, 0, 0);
  if (process) {
    WaitForSingleObject(process, 20000);
    CloseHandle(process);
  }
}

namespace {

// Wine's request to define a drive; the mount point follows it.
struct TUnixDrive {
  ULONG Size;
  ULONG Type;
  ULONG FileSystemType;
  DWORD Serial;
  ULONGLONG UnixDevice;
  WCHAR Letter;
  USHORT MountPointOffset;
  USHORT DeviceOffset;
  USHORT LabelOffset;
};

bool DefineDrive(char letter, ULONG type, const std::string& mountPoint) {
  HANDLE manager =
      CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return false;
  std::vector<char> request(sizeof(TUnixDrive) + mountPoint.size() + 1, '\0');
  auto* drive = reinterpret_cast<TUnixDrive*>(request.data());
  drive->Size = static_cast<ULONG>(request.size());
  drive->Type = type;
  drive->Letter = static_cast<WCHAR>(letter);
  if (!mountPoint.empty()) {
    drive->MountPointOffset = sizeof(TUnixDrive);
    memcpy(request.data() + sizeof(TUnixDrive), mountPoint.c_str(), mountPoint.size());
  }
  const DWORD defineUnixDrive =
      CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
  DWORD returned = 0;
  const BOOL done =
      DeviceIoControl(manager, defineUnixDrive, request.data(), static_cast<DWORD>(request.size()),
                      nullptr, 0, &returned, nullptr);
  CloseHandle(manager);
  return done != FALSE;
}

}  // namespace

TWineDrive::TWineDrive(const std::string& folder) {
  using TUnixName = char*(CDECL*)(const WCHAR*);
  auto unixName = reinterpret_cast<TUnixName>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
  if (!unixName) return;
  std::wstring wide(folder.begin(), folder.end());
  char* path = unixName(wide.c_str());
  if (!path) return;
  const std::string mountPoint = path;
  HeapFree(GetProcessHeap(), 0, path);
  for (char letter = 'q'; letter <= 'y' && root_.empty(); ++letter) {
    const std::string root = std::string(1, static_cast<char>(letter - 'a' + 'A')) + ":\\";
    if (GetDriveTypeA(root.c_str()) != DRIVE_NO_ROOT_DIR) continue;
    if (DefineDrive(letter, DRIVE_FIXED, mountPoint)) {
      letter_ = letter;
      root_ = root;
    }
  }
}

TWineDrive::~TWineDrive() {
  if (letter_) DefineDrive(letter_, DRIVE_NO_ROOT_DIR, "");
}

}  // namespace ui
