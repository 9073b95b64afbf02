// Files and folders for the Windows-side tests and benchmarks: a temporary
// folder removed with everything in it, whole-file reads and writes, and
// small questions about paths.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace test {

// A fresh folder under the system's temporary folder, removed with
// everything in it (read-only and hidden entries too).
class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  const std::string& Path() const { return path_; }  // ends with a backslash
  std::string operator/(const std::string& name) const { return path_ + name; }
  std::string File(const std::string& name) const { return path_ + name; }
  // The names of the files in the folder (not its folders).
  std::vector<std::string> Files() const;

 private:
  std::string path_;
};

// Removes a folder (with or without a trailing backslash) and everything in it.
void RemoveTree(const std::string& directory);
// The whole file's bytes; WriteText replaces them and throws when it cannot.
void WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);
bool Exists(const std::string& path);
DWORD Attributes(const std::string& path);
void MakeDirectory(const std::string& path);

// Runs with the current directory in a folder, then goes back.
class TCurrentDirectory {
 public:
  explicit TCurrentDirectory(const std::string& path);
  ~TCurrentDirectory();
  TCurrentDirectory(const TCurrentDirectory&) = delete;
  TCurrentDirectory& operator=(const TCurrentDirectory&) = delete;

 private:
  char old_[MAX_PATH] = {};
};

}  // namespace test
