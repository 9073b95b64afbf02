#include "commandline.h"

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> parameters;
  size_t at = 0;
  const size_t size = commandLine.size();
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  for (;;) {
    while (at < size && blank(commandLine[at])) ++at;
    if (at >= size) break;
    std::string parameter;
    bool quoted = false;
    while (at < size && (quoted || !blank(commandLine[at]))) {
      if (commandLine[at] == '"')
        quoted = !quoted;
      else
        parameter += commandLine[at];
      ++at;
    }
    parameters.push_back(parameter);
  }
  return parameters;
}
