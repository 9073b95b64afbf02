#include "folders.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <utility>

#include "core/pathtext.h"
#include "core/statusframe.h"
#include "ansipaths.h"
#include "threadwindows.h"

namespace {

struct TItemIdListFree {
  void operator()(ITEMIDLIST* list) const {
    if (list) CoTaskMemFree(list);
  }
};
using UniqueItemIdList = std::unique_ptr<ITEMIDLIST, TItemIdListFree>;

// The user's programs folder as the system names it; empty before Windows 7,
// whose shell lacks the call or the folder.
std::wstring KnownUserProgramsFolder() {
  using TGetKnownFolderPath = HRESULT(WINAPI*)(const GUID&, DWORD, HANDLE, PWSTR*);
  static const GUID kUserProgramFiles = {
      0x5cd7aee2, 0x2219, 0x4a67, {0xb8, 0x5d, 0x6c, 0x9c, 0xe1, 0x56, 0x60, 0xcb}};
  HMODULE shell = GetModuleHandleA("shell32.dll");
  const auto getPath = shell ? reinterpret_cast<TGetKnownFolderPath>(reinterpret_cast<void*>(
                                   GetProcAddress(shell, "SHGetKnownFolderPath")))
                             : nullptr;
  if (!getPath) return L"";
  PWSTR wide = nullptr;
  std::wstring path;
  if (SUCCEEDED(getPath(kUserProgramFiles, KF_FLAG_CREATE, nullptr, &wide)) && wide) path = wide;
  CoTaskMemFree(wide);
  return path;
}

// A special folder as the system names it, created when missing; empty when
// the system doesn't know it.
std::wstring SystemFolder(int folderId) {
  wchar_t buffer[MAX_PATH] = {};
  // The system writes at most MAX_PATH characters; a failing call may leave
  // anything in the buffer, so only a successful one counts. Asked in
  // UTF-16, a user name outside the ANSI code page gives the short form
  // rather than a "?" in the path.
  if (FAILED(SHGetFolderPathW(nullptr, folderId | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                              buffer)))
    return L"";
  buffer[MAX_PATH - 1] = L'\0';
  return buffer;
}

}  // namespace

std::string GetSystemDirectoryPath(int folderId) {
  STATUS_FRAME("GetSystemDirectoryPath");
  std::string path;
  frame.Run([&] {
    const std::wstring folder = SystemFolder(folderId);
    if (!folder.empty()) path = AnsiPath(folder);
    if (!path.empty()) path = AddPathDelimiter(path);
  });
  return path;
}

std::string GetSystemDirectoryName(int folderId) {
  const std::wstring folder = SystemFolder(folderId);
  return folder.empty() ? std::string() : AddPathDelimiter(PathForMessage(folder));
}

std::string GetPicturesPath() {
  return GetSystemDirectoryPath(0x27);
}
std::string GetDesktopPath() {
  return GetSystemDirectoryPath(0x10);
}
std::string GetProgramsMenuPath() {
  return GetSystemDirectoryPath(0x02);
}
std::string GetProgramFilesPath() {
  return GetSystemDirectoryPath(0x26);
}
std::string GetStartupPath() {
  return GetSystemDirectoryPath(0x07);
}

TShortcutFolders GetShortcutFolders(bool allUsers) {
  const int desktop = allUsers ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY;
  const int programs = allUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS;
  TShortcutFolders folders{GetSystemDirectoryPath(desktop), GetSystemDirectoryPath(programs), {}};
  for (const auto& [path, id] :
       {std::pair{&folders.Desktop, desktop}, {&folders.Programs, programs}})
    if (path->empty() && !GetSystemDirectoryName(id).empty())
      folders.Unusable.push_back(GetSystemDirectoryName(id));
  return folders;
}

std::string GetUserProgramsPath() {
  const std::wstring known = KnownUserProgramsFolder();
  // The ANSI calls must find it again: a name the code page can't hold is
  // used in its short form, or not at all.
  if (!known.empty()) {
    const std::string path = AnsiPath(known);
    return path.empty() ? std::string() : AddPathDelimiter(path);
  }
  const std::string local = GetSystemDirectoryPath(CSIDL_LOCAL_APPDATA);
  if (local.empty()) return "";
  const std::string path = local + "Programs";
  SetLastError(0);
  if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return "";
  return AddPathDelimiter(path);
}

std::string GetUserProgramsName() {
  const std::wstring known = KnownUserProgramsFolder();
  if (!known.empty()) return AddPathDelimiter(PathForMessage(known));
  const std::string local = GetSystemDirectoryName(CSIDL_LOCAL_APPDATA);
  return local.empty() ? std::string() : local + "Programs\\";
}

bool BrowseDirectory(std::string& directory, const std::string& root, const std::string& caption) {
  UniqueItemIdList rootList;
  if (!root.empty()) rootList.reset(ILCreateFromPathA(root.c_str()));
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = GetActiveWindow();
  info.pidlRoot = rootList.get();
  info.pszDisplayName = displayName;
  info.lpszTitle = caption.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;

  UniqueItemIdList chosen;
  {
    TDisabledWindows disabled;
    chosen.reset(SHBrowseForFolderA(&info));
  }
  if (info.hwndOwner && IsWindow(info.hwndOwner)) SetActiveWindow(info.hwndOwner);
  if (!chosen) return false;
  // The choice comes back from the desktop down; Wine gives it relative to
  // the root instead, which then has to be put in front.
  if (rootList && !ILIsParent(rootList.get(), chosen.get(), FALSE) &&
      !ILIsEqual(rootList.get(), chosen.get()))
    chosen.reset(ILCombine(rootList.get(), chosen.get()));
  wchar_t path[MAX_PATH] = {};
  if (!chosen || !SHGetPathFromIDListW(chosen.get(), path)) return false;
  const std::string ansi = AnsiPath(std::wstring(path));
  if (ansi.empty()) return false;  // no name the program could use
  directory = ansi;
  return true;
}
