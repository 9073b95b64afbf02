#include "testsupport.h"

#include <fstream>
#include <stdexcept>

#include "platform/program.h"
#include "platform/system.h"

namespace test {

std::string HelperPath() {
  return GetProgramFilePath("inprocess_helper.exe");
}

THelperOutput::THelperOutput(const TTempFolder& folder) : path_(folder / "helper-output.txt") {
  SetEnvironmentVariableA("QUILTRA_HELPER_OUTPUT", path_.c_str());
}

THelperOutput::~THelperOutput() {
  SetEnvironmentVariableA("QUILTRA_HELPER_OUTPUT", nullptr);
}

std::string THelperOutput::WaitLine() {
  for (int waited = 0; waited < 15000; waited += 50) {
    const std::string text = ReadText(path_);
    const auto end = text.find('\n');
    if (end != std::string::npos) return text.substr(0, end);
    Sleep(50);
  }
  return "(no output)";
}

TRefusedMachineRoot::TRefusedMachineRoot() : old_(UninstallMachineRoot) {
  // A handle value no key ever has: every registry call on it fails.
  UninstallMachineRoot = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x0ffffffc));
}

TRefusedMachineRoot::~TRefusedMachineRoot() {
  UninstallMachineRoot = old_;
}

}  // namespace test
