// Paths the system hands over in UTF-16, as the ANSI texts the program works
// with. A name the ANSI code page cannot hold ("Łukasz" on a Western system)
// would come back from the ANSI calls with "?" or a look-alike letter in it:
// another path, or none. Such a path is used in its short (8.3) form instead.
#pragma once

#include <string>

// The text in the ANSI code page; false when a character has no exact
// counterpart there.
bool ToAnsiExactly(const std::wstring& text, std::string& ansi);
// An ANSI text as UTF-16.
std::wstring ToWide(const std::string& ansi);
// Tests: every volume behaves as one without short names (exFAT, a Dev
// Drive, or any but the system's on Windows 10 and later).
extern bool NoShortNamesTestHook;
// The path exactly, or else its short form; for a file not there yet, the
// short form of its folder followed by its name. Empty when none of these
// can be held (no short names on that drive, or a new name outside the code
// page).
std::string AnsiPath(const std::wstring& path);
// The path as a message names it: as AnsiPath gives it, or else with "?"
// for each character the code page lacks.
std::string PathForMessage(const std::wstring& path);
// Path texts step over the two-byte characters of the ANSI code page.
void UseAnsiLeadBytes();
