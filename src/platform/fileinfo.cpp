#include "fileinfo.h"

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
