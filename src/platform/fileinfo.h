// Facts about files: the size of an open file, file times as date-time
// values, and the unit's optional system entry points.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/datetime.h"

// The 64-bit size of an open file; 0 and a warning in FunStatContext when the
// system can't tell.
uint64_t GetFileSize(HANDLE file);
// A file time as a local date-time value; 0 and an error in FunStatContext
// when it can't be converted.
TDateTime ConvertFileTime(const FILETIME& fileTime);
// A text of a program's version resource ("ProductVersion", "CompanyName"),
// in its first language; empty when it has none.
std::string VersionResourceText(const std::string& program, const std::string& name);
// The size of a folder's files, its subfolders' included, in whole KB.
uint32_t FolderSizeKB(const std::string& folder);

// Loaded at start when the system is version 5 or later; nothing calls the
// entry points yet, they are kept for the file unit's optional services.
class TFileUnitLoader {
 public:
  TFileUnitLoader();
  ~TFileUnitLoader();
  TFileUnitLoader(const TFileUnitLoader&) = delete;
  TFileUnitLoader& operator=(const TFileUnitLoader&) = delete;

  HMODULE KernelLibrary = nullptr;
  HMODULE AdvancedLibrary = nullptr;
  bool LocalTime = true;  // ConvertFileTime converts to local time first
  bool Reserved = true;
  FARPROC CopyFileExEntry = nullptr;
  FARPROC MoveFileWithProgressEntry = nullptr;
  FARPROC CreateHardLinkEntry = nullptr;
  FARPROC EncryptFileEntry = nullptr;
};

extern TFileUnitLoader FileUnitLoader;
