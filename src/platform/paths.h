// Paths as the system sees them: long and full forms, comparison, patterns,
// existence, attributes and the executable type. None of them fails: a path
// the system can't resolve comes back as it was, or gives false.
#pragma once

#include <string>

#include "core/pathtext.h"

// The long form of a path holding "~"; every other path unchanged.
std::string GetLongPath(const std::string& path);
// The absolute path, against the current directory, in its long form. A bare
// drive ("C:") comes back as a bare drive.
std::string GetFullPath(const std::string& path);
// As GetFullPath, with a mapped network drive replaced by its UNC name.
std::string GetCanonicalPath(const std::string& path);
// Never for texts holding wildcards or other characters no path holds;
// otherwise the canonical paths are equal, ignoring ASCII case and a trailing
// backslash.
bool IsSamePath(const std::string& a, const std::string& b);
// An empty pattern list matches everything; patterns are separated by ";".
bool MatchesFileSpec(const std::string& file, const std::string& patterns);
bool MyFileExists(const std::string& path);
// Longer than the system's ANSI calls take (MAX_PATH with its end); a
// folder keeps room for the names of the files made in it.
bool IsPathTooLong(const std::string& path);
bool IsFolderTooLong(const std::string& folder);
constexpr const char* kPathTooLong = "The path is too long.";
// A read-only file or directory loses every attribute (hidden and system
// too); anything else is left alone.
void RemoveReadOnly(const std::string& path);
// True when a new file can be made in the directory: a trial file is created
// and deleted again. False for a missing directory. A read-only attribute on a
// directory does not stop this test; the folder's permissions do.
bool CanWriteInDirectory(const std::string& directory);
bool IsDosProgram(const std::string& path);
// ".pif" for an MS-DOS program, ".lnk" for everything else.
std::string GetLinkExtension(const std::string& path);
