#include "program.h"

#include <windows.h>
#include <ole2.h>

#include <exception>
#include <vector>

#include "core/commandline.h"
#include "core/funstat.h"
#include "core/pathtext.h"
#include "ansipaths.h"

namespace {

HANDLE InstanceHandle = nullptr;

}  // namespace

TProgram Program;

TProgram::TProgram() {
  std::set_terminate([] { TerminateProgramFun(); });
  UseAnsiLeadBytes();
  SetLastError(0);
  OleInitialize(nullptr);
}

TProgram::~TProgram() {
  SetLastError(0);
  OleUninitialize();
}

TOtherInstance FindOtherProgramInstance(const std::string& name) {
  SetLastError(0);
  const std::string mutexName = "Mutex_ProgramInstance_" + name;
  HANDLE handle = CreateMutexA(nullptr, TRUE, mutexName.c_str());
  if (!handle && GetLastError() == ERROR_ACCESS_DENIED) return TOtherInstance::RunningElevated;
  if (handle && GetLastError() == ERROR_ALREADY_EXISTS) {
    // Another instance holds it. Should that be this process, its own
    // handle is kept, so that ReleaseProgramInstance can still give it up.
    CloseHandle(handle);
    return TOtherInstance::Running;
  }
  if (handle) {
    ReleaseProgramInstance();
    InstanceHandle = handle;
  }
  return TOtherInstance::None;
}

void ReleaseProgramInstance() {
  if (InstanceHandle) {
    CloseHandle(InstanceHandle);
    InstanceHandle = nullptr;
  }
}

void TerminateImmediately() {
  TerminateProcess(GetCurrentProcess(), 1);
  ExitProcess(1);
}

void TerminateProgramFun() {
  const char* const context = "TerminateProgramFun";
  const char* const text = "Abort intercepted.\r\nProgram must be terminated.";
  FunStatContext.Raise(__FILE_NAME__, context, __LINE__, fsError, text, "", "", 0);
  FunStatContext.NoteShow(__FILE_NAME__, context, __LINE__);
  FunStatContext.Show(text);
  FunStatContext.Reset(fsPerfect);
  TerminateImmediately();
}

namespace {

std::wstring ModuleFileName() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::string AnsiModuleFileName() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

// The command line in UTF-8: its quotes and blanks are the ASCII ones, and
// no byte of another character equals them.
std::string Utf8(const std::wstring& text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length > 0 ? length : 0), '\0');
  if (length > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length,
                        nullptr, nullptr);
  return utf8;
}

std::wstring FromUtf8(const std::string& text) {
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0)
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
  return wide;
}

// The executable does not move while it runs: its ANSI path is worked out
// once.
const std::string& UsableProgramFileName() {
  static const std::string path = AnsiPath(ModuleFileName());
  return path;
}

}  // namespace

bool IsProgramPathUsable() {
  return !UsableProgramFileName().empty();
}

std::string GetProgramFileName() {
  // Without an ANSI form start-up tells the player; the system's own lossy
  // text is all there is then.
  return IsProgramPathUsable() ? UsableProgramFileName() : AnsiModuleFileName();
}

std::string GetProgramDirectory() {
  return GetFileDirectory(GetProgramFileName());
}

std::string GetProgramExeName() {
  return GetFileNameOnly(GetProgramFileName());
}

std::string GetProgramParameter(int index) {
  if (index == 0) return GetProgramFileName();
  const std::vector<std::string> parameters = SplitCommandLine(Utf8(GetCommandLineW()));
  if (index < 0 || static_cast<size_t>(index) >= parameters.size()) return "";
  // A file named there that the code page cannot hold comes in its short
  // form; no form at all gives the empty text, never a "?" in its place.
  return AnsiPath(FromUtf8(parameters[static_cast<size_t>(index)]));
}

std::string GetProgramFilePath(const std::string& name) {
  return AddPathDelimiter(GetProgramDirectory()) + name;
}
