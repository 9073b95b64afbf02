#include "ansipaths.h"

#include <windows.h>

#include <vector>

#include "core/pathtext.h"

bool ToAnsiExactly(const std::wstring& text, std::string& ansi) {
  ansi.clear();
  if (text.empty()) return true;
  const int wideLength = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), wideLength,
                                         nullptr, 0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return false;
  std::string converted(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), wideLength, converted.data(),
                      length, nullptr, &usedDefault);
  // A look-alike letter is no default character: only the way back tells.
  if (usedDefault || ToWide(converted) != text) return false;
  ansi = std::move(converted);
  return true;
}

std::wstring ToWide(const std::string& ansi) {
  if (ansi.empty()) return std::wstring();
  const int size = static_cast<int>(ansi.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
  return wide;
}

bool NoShortNamesTestHook = false;

std::string AnsiPath(const std::wstring& path) {
  std::string ansi;
  if (ToAnsiExactly(path, ansi)) return ansi;
  std::vector<wchar_t> buffer(MAX_PATH);
  for (int attempt = 0; attempt < 3 && !NoShortNamesTestHook; ++attempt) {
    const DWORD length =
        GetShortPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) break;
    if (length < buffer.size()) {
      return ToAnsiExactly(std::wstring(buffer.data(), length), ansi) ? ansi : std::string();
    }
    buffer.assign(length + 1, L'\0');
  }
  // Not there yet (a name typed into the save dialog): its folder is.
  const std::wstring::size_type slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos || slash + 1 == path.size()) return std::string();
  std::string name;
  if (!ToAnsiExactly(path.substr(slash + 1), name)) return std::string();
  // The folder without its trailing backslash, but a drive's root with it.
  const bool root = slash > 0 && path[slash - 1] == L':';
  const std::string folder = AnsiPath(path.substr(0, root ? slash + 1 : slash));
  return folder.empty() ? std::string() : AddPathDelimiter(folder) + name;
}

std::string PathForMessage(const std::wstring& path) {
  std::string ansi = AnsiPath(path);
  if (!ansi.empty() || path.empty()) return ansi;
  const int wideLength = static_cast<int>(path.size());
  const int length =
      WideCharToMultiByte(CP_ACP, 0, path.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return ansi;
  ansi.assign(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, path.data(), wideLength, ansi.data(), length, "?", nullptr);
  return ansi;
}

void UseAnsiLeadBytes() {
  SetLeadByteTest([](unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; });
}
