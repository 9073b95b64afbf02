#include "program.h"

#include <windows.h>
#include <ole2.h>

#include <exception>
#include <vector>

#include "core/commandline.h"
#include "core/funstat.h"
#include "core/pathtext.h"

namespace {

HANDLE InstanceHandle = nullptr;

}  // namespace

TProgram Program;

TProgram::TProgram() {
  std::set_terminate([] { TerminateProgramFun(); });
  SetLastError(0);
  OleInitialize(nullptr);
}

TProgram::~TProgram() {
  SetLastError(0);
  OleUninitialize();
}

bool IsProgramInstanceRunning(const std::string& name) {
  SetLastError(0);
  const std::string mutexName = "Mutex_ProgramInstance_" + name;
  HANDLE handle = CreateMutexA(nullptr, TRUE, mutexName.c_str());
  // A game started with administrator rights made a mutex that this start
  // may not open: another game runs all the same.
  if (!handle && GetLastError() == ERROR_ACCESS_DENIED) return true;
  if (handle && GetLastError() == ERROR_ALREADY_EXISTS) {
    // Another instance holds it. Should that be this process, its own
    // handle is kept, so that ReleaseProgramInstance can still give it up.
    CloseHandle(handle);
    return true;
  }
  if (handle) {
    ReleaseProgramInstance();
    InstanceHandle = handle;
  }
  return false;
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

std::string GetProgramFileName() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::string GetProgramDirectory() {
  return GetFileDirectory(GetProgramFileName());
}

std::string GetProgramExeName() {
  return GetFileNameOnly(GetProgramFileName());
}

std::string GetProgramParameter(int index) {
  if (index == 0) return GetProgramFileName();
  const std::vector<std::string> parameters = SplitCommandLine(GetCommandLineA());
  if (index < 0 || static_cast<size_t>(index) >= parameters.size()) return "";
  return parameters[static_cast<size_t>(index)];
}

std::string GetProgramFilePath(const std::string& name) {
  return AddPathDelimiter(GetProgramDirectory()) + name;
}
