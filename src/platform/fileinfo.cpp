#include "fileinfo.h"

#include <algorithm>
#include <vector>

#include "core/statusframe.h"
#include "platform/error.h"
#include "platform/system.h"

TFileUnitLoader FileUnitLoader;

TFileUnitLoader::TFileUnitLoader() {
  if (!IsWindowsVersion5OrLater()) return;
  KernelLibrary = LoadLibraryA("Kernel32.dll");
  AdvancedLibrary = LoadLibraryA("AdvAPI32.dll");
  if (KernelLibrary) {
    CopyFileExEntry = GetProcAddress(KernelLibrary, "CopyFileExA");
    MoveFileWithProgressEntry = GetProcAddress(KernelLibrary, "MoveFileWithProgressA");
    CreateHardLinkEntry = GetProcAddress(KernelLibrary, "CreateHardLinkA");
  }
  if (AdvancedLibrary) EncryptFileEntry = GetProcAddress(AdvancedLibrary, "EncryptFileA");
}

TFileUnitLoader::~TFileUnitLoader() {
  if (AdvancedLibrary) FreeLibrary(AdvancedLibrary);
  if (KernelLibrary) FreeLibrary(KernelLibrary);
}

uint64_t GetFileSize(HANDLE file) {
  STATUS_FRAME("GetFileSize");
  uint64_t size = 0;
  frame.Run([&] {
    DWORD high = 0;
    SetLastError(0);
    const DWORD low = ::GetFileSize(file, &high);
    // A low half of 0xFFFFFFFF is a true size unless the last error says not.
    if (IsSystemError())
      return frame.Raise(__LINE__, "Failed to get file size.", "", "", 0, fsWarning);
    size = (static_cast<uint64_t>(high) << 32) + low;
  });
  return size;
}

TDateTime ConvertFileTime(const FILETIME& fileTime) {
  STATUS_FRAME("ConvertFileTime");
  TDateTime value = 0;
  frame.Run([&] {
    FILETIME local = fileTime;
    if (FileUnitLoader.LocalTime) {
      SetLastError(0);
      // A call that fails without a code still failed: its output is unset.
      if (!FileTimeToLocalFileTime(&fileTime, &local) || IsSystemError())
        return frame.Raise(__LINE__, "Failed to convert time.", "", "", GetLastError());
    }
    SYSTEMTIME calendar{};
    SetLastError(0);
    if (!FileTimeToSystemTime(&local, &calendar) || IsSystemError())
      return frame.Raise(__LINE__, "Failed to convert time.", "", "", GetLastError());
    value = EncodeDateTime({calendar.wYear, calendar.wMonth, calendar.wDay, calendar.wHour,
                            calendar.wMinute, calendar.wSecond, calendar.wMilliseconds});
  });
  return value;
}

std::string VersionResourceText(const std::string& program, const std::string& name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
  if (size == 0) return "";
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(program.c_str(), 0, size, block.data())) return "";
  struct TTranslation {
    WORD Language;
    WORD CodePage;
  };
  TTranslation* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < sizeof(TTranslation))
    return "";
  char path[64];
  wsprintfA(path, "\\StringFileInfo\\%04x%04x\\", translation->Language, translation->CodePage);
  char* text = nullptr;
  if (!VerQueryValueA(block.data(), (path + name).c_str(), reinterpret_cast<void**>(&text),
                      &length) ||
      length == 0)
    return "";
  return std::string(text);
}

uint32_t FolderSizeKB(const std::string& folder) {
  uint64_t bytes = 0;
  std::vector<std::string> pending{folder};
  while (!pending.empty()) {
    const std::string current = pending.back() + "\\";
    pending.pop_back();
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((current + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      const std::string entry = found.cFileName;
      if (entry == "." || entry == "..") continue;
      // Links to folders elsewhere are not this folder's.
      if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        pending.push_back(current + entry);
      else
        bytes += (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  return static_cast<uint32_t>(std::min<uint64_t>((bytes + 1023) / 1024, UINT32_MAX));
}
