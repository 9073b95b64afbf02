#include "paths.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <winnetwk.h>

#include <vector>

#include "ansipaths.h"

namespace {

// Calls a system function that fills a text buffer and returns the length it
// wrote, or the size it needs when the buffer is too small; 0 is failure.
template <class Fill>
bool FillText(Fill fill, std::string& text) {
  std::vector<char> buffer(MAX_PATH);
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return false;
    if (length < buffer.size()) {
      text.assign(buffer.data(), length);
      return true;
    }
    buffer.assign(length + 1, '\0');
  }
  return false;
}

std::string ExpandPath(const std::string& path) {
  std::string full;
  if (!FillText([&](char* buffer,
                    DWORD size) { return GetFullPathNameA(path.c_str(), size, buffer, nullptr); },
                full))
    return path;
  return full;
}

// The UNC form of a path on a mapped network drive; the path itself otherwise.
std::string UniversalPath(const std::string& path) {
  std::vector<char> buffer(sizeof(UNIVERSAL_NAME_INFOA) + MAX_PATH);
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD result =
        WNetGetUniversalNameA(path.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size);
    if (result == NO_ERROR) {
      const auto* info = reinterpret_cast<const UNIVERSAL_NAME_INFOA*>(buffer.data());
      return info->lpUniversalName && *info->lpUniversalName ? info->lpUniversalName : path;
    }
    if (result != ERROR_MORE_DATA || size <= buffer.size()) break;
    buffer.assign(size, '\0');
  }
  return path;
}

std::string ExpandedPath(const std::string& path, bool universal) {
  if (path.empty()) return path;
  // "C:" alone means the current directory of drive C; "C:\" is the drive.
  if (IsDriveOnly(path)) return RemovePathDelimiter(ExpandPath(path + '\\'));
  std::string full = ExpandPath(path);
  if (universal) full = UniversalPath(full);
  return GetLongPath(full);
}

}  // namespace

std::string GetLongPath(const std::string& path) {
  if (path.find('~') == std::string::npos) return path;
  std::vector<wchar_t> buffer(MAX_PATH);
  const std::wstring widePath = ToWide(path);
  for (int attempt = 0; attempt < 3; ++attempt) {
    const DWORD length =
        GetLongPathNameW(widePath.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return path;
    if (length < buffer.size()) {
      // A long name the ANSI code page cannot hold keeps its short form.
      std::string longPath;
      return ToAnsiExactly(std::wstring(buffer.data(), length), longPath) ? longPath : path;
    }
    buffer.assign(length + 1, L'\0');
  }
  return path;
}

std::string GetFullPath(const std::string& path) {
  return ExpandedPath(path, false);
}

std::string GetCanonicalPath(const std::string& path) {
  return ExpandedPath(path, true);
}

bool IsSamePath(const std::string& a, const std::string& b) {
  const char* const notInPaths = "<>|\"*?";
  if (a.find_first_of(notInPaths) != std::string::npos ||
      b.find_first_of(notInPaths) != std::string::npos)
    return false;
  return SameTextAscii(RemovePathDelimiter(GetCanonicalPath(a)),
                       RemovePathDelimiter(GetCanonicalPath(b)));
}

bool MatchesFileSpec(const std::string& file, const std::string& patterns) {
  if (patterns.empty()) return true;
  return PathMatchSpecA(file.c_str(), patterns.c_str()) != FALSE;
}

bool MyFileExists(const std::string& path) {
  if (path.empty()) return false;
  return PathFileExistsA(path.c_str()) != FALSE;
}

void RemoveReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  // INVALID_FILE_ATTRIBUTES has every bit set: a missing file is left alone.
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesA(path.c_str(), 0);
}

bool CanWriteInDirectory(const std::string& directory) {
  if (directory.empty()) return false;  // a relative name would point anywhere
  // A name no other run uses at the same time; deleted when the handle goes,
  // so nothing stays behind even if this process ends here.
  const std::string trial = AddPathDelimiter(directory) + "~write" +
                            std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(GetTickCount()) + ".tmp";
  SetLastError(0);
  HANDLE file = CreateFileA(trial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

bool IsDosProgram(const std::string& path) {
  SHFILEINFOA info{};
  const DWORD_PTR type = SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_EXETYPE);
  // "MZ" read as a little-endian word; Wine answers with the bytes swapped.
  // No other executable type has either value.
  return type == 0x5A4D || type == 0x4D5A;
}

std::string GetLinkExtension(const std::string& path) {
  return IsDosProgram(path) ? ".pif" : ".lnk";
}

bool IsPathTooLong(const std::string& path) {
  return path.size() >= MAX_PATH;
}

bool IsFolderTooLong(const std::string& folder) {
  // Room for a file name of 8.3 characters and its delimiter, as
  // GetTempFileName needs.
  return folder.size() + 14 > MAX_PATH;
}
