// Whole files as text: read in one piece, and replaced so that the old file
// stays whole until the new one is complete on disk.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// Files beyond this are no stored text of ours; refusing them gives a clear
// message instead of running out of memory.
constexpr uint64_t MaximumTextFileSize = 64ull * 1024 * 1024;

// Context "ReadTextFile". The file stays readable and replaceable by others
// while it is read, but not writable.
void ReadTextFile(const std::string& path, std::string& text);

// Context "WriteTextFileDurably". Writes the text to a new temporary file in
// the same folder, flushes it to disk, then renames it over the file in one
// step. Until that rename the old file is untouched; a failure at any step
// leaves it as it was and removes the temporary file. A read-only file is
// replaced too (its attributes are cleared just before the rename). A missing
// folder is not created.
void WriteTextFileDurably(const std::string& path, const std::string& text);

// The steps of a durable write, in order.
enum class TDurableWriteStep { CreateTemporary, Write, Flush, Replace };

// For tests: called before each step with the temporary file's path (empty
// before it exists). A non-zero result makes the step fail with that system
// error code, as if the system had refused it.
extern std::function<DWORD(TDurableWriteStep step, const std::string& temporaryPath)>
    DurableWriteTestHook;
