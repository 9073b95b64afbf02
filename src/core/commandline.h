// Splitting a command line into parameters: blanks separate them, double
// quotes group blanks into one parameter and are themselves dropped.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> SplitCommandLine(const std::string& commandLine);
