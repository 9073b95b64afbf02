// Process-wide services: the single-instance guard, the terminate handler,
// immediate termination, the object-linking services, and where the running
// executable lies.
#pragma once

#include <string>

class TProgram {
 public:
  TProgram();   // installs the terminate handler, initialises OLE
  ~TProgram();  // uninitialises OLE
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;
};

extern TProgram Program;

// Whether another process holds the instance mutex for this name (None:
// this process now holds it). RunningElevated: one started with
// administrator rights holds it, and this start may not even open it.
enum class TOtherInstance { None, Running, RunningElevated };
TOtherInstance FindOtherProgramInstance(const std::string& name);
void ReleaseProgramInstance();
// Ends the process at once with exit code 1: no exit handlers, no destructors.
[[noreturn]] void TerminateImmediately();
// The terminate handler: reports, then ends the process with exit code 1.
[[noreturn]] void TerminateProgramFun();

// False when the executable's path can't be named in the ANSI code page
// (neither as it is nor in a short form): its files can't be found then.
bool IsProgramPathUsable();
std::string GetProgramFileName();
std::string GetProgramDirectory();
std::string GetProgramExeName();
std::string GetProgramParameter(int index);
std::string GetProgramFilePath(const std::string& name);
