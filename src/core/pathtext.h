// Path texts: pure splitting and joining. The delimiter is the backslash;
// directory and name split at the last backslash or colon. On double-byte
// code pages the second byte of a character may equal a backslash; it is no
// delimiter, so the scans step over whole characters.
#pragma once

#include <string>

// Which bytes begin a two-byte character in the code page of the texts; set
// once at start by the platform layer. Unset, every byte is one character.
using TLeadByteTest = bool (*)(unsigned char byte);
void SetLeadByteTest(TLeadByteTest test);
// True when the text ends with a backslash that is a character of its own.
bool EndsWithPathDelimiter(const std::string& path);

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
