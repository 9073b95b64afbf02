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

std::string FormLayoutFaults(const TControl& from, TLayoutRules rules) {
  rules.FontOf = [](HWND window) {
    const TControl* control = TControl::FromHandle(window);
    return control ? control->Font() : nullptr;
  };
  return LayoutFaults(from.Handle(), rules);
}

std::vector<HWND> Handles(std::initializer_list<const TControl*> controls) {
  std::vector<HWND> handles;
  for (const TControl* control : controls) handles.push_back(control->Handle());
  return handles;
}

std::string FixedDialogFaults(const TControl& dialog, HWND owner) {
  const LONG style = GetWindowLongA(dialog.Handle(), GWL_STYLE);
  std::string faults;
  if (!(style & WS_SYSMENU)) faults += "no close box\n";
  if (style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) faults += "resizable\n";
  if (GetWindow(dialog.Handle(), GW_OWNER) != owner) faults += "not owned by its window\n";
  return faults;
}

}  // namespace test
