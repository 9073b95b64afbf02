// A small program the in-process tests start. It appends its command line to
// the file named by QUILTRA_HELPER_OUTPUT. Started with "/terminate" it
// records the headline the terminate handler shows and lets the runtime
// terminate, so the test sees the handler's exit code.
#include <windows.h>

#include <exception>
#include <fstream>
#include <string>

#include "core/funstat.h"
#include "platform/program.h"

namespace {

void Append(const std::string& text) {
  char path[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("QUILTRA_HELPER_OUTPUT", path, MAX_PATH)) return;
  std::ofstream(path, std::ios::binary | std::ios::app) << text << "\n";
}

}  // namespace

int main() {
  const std::string commandLine = GetCommandLineA();
  Append(commandLine);
  if (GetProgramParameter(1) == "/terminate") {
    TFunStatContext::ShowHandler = [](const TFunStatContext& context, const std::string& headline,
                                      bool*) {
      Append("shown: " + headline + " | " + context.RaiseFunction);
      return true;
    };
    std::terminate();
  }
  return 0;
}
