// The platform side of error reporting: the system error tests used after
// system calls, and the hooks that show a status and build its report.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// The caller clears the last error code before the system call.
bool IsSystemError();
bool IsSystemErrorExceptExisting();
bool IsFindEndCode(DWORD code);
bool IsComFailure(HRESULT result);

// The system's message for an error code, without trailing blanks, control
// characters and full stops; at most 255 characters.
std::string SystemErrorText(uint32_t code);
// A message cut to 255 characters, then its trailing blanks, control
// characters and full stops removed.
std::string TrimMessageText(const std::string& message);

// Connects FunStatContext to the running system: reports get their time,
// program path and system message; Show goes to the error dialog entry given
// here, or to the plain fallback box while there is none.
using TErrorDialogEntry =
    std::function<bool(const std::string& caption, const std::string& headline,
                       const std::string& report, bool* noErrors)>;
void InstallErrorReporting();
void SetErrorDialogEntry(TErrorDialogEntry entry, std::function<int32_t()> recursionCount);
