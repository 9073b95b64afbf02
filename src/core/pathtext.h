// Path texts: pure splitting and joining. The delimiter is the backslash;
// directory and name split at the last backslash or colon.
#pragma once

#include <string>

std::string AddPathDelimiter(const std::string& path);
bool IsDriveOnly(const std::string& path);
std::string GetFileDirectory(const std::string& path);
std::string GetFileNameOnly(const std::string& path);
// The extension from the last "." of the last component, with its dot.
std::string GetFileExtension(const std::string& path);
std::string ChangeFileExtension(const std::string& path, const std::string& extension);
std::string RemovePathDelimiter(const std::string& path);
bool IsLinkFile(const std::string& path);

// ASCII-only case folding, as the program's name comparisons use.
bool SameTextAscii(const std::string& a, const std::string& b);
std::string LowerAscii(std::string text);
