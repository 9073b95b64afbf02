// Temporary folders and whole-file helpers for the platform tests, and a
// recorder that stands in for the error dialog.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/funstat.h"

// A fresh folder under the system's temporary folder, removed with its files
// (read-only ones too) at the end.
class TTempFolder {
 public:
  TTempFolder() {
    static int counter = 0;
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    Path = std::string(base) + "quiltra-test-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++counter) + "\\";
    CreateDirectoryA(Path.c_str(), nullptr);
  }
  ~TTempFolder() { RemoveTree(Path); }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  std::string Path;  // with a trailing backslash

  // The names of the files in the folder.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((Path + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
  }

 private:
  static void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveTree(path + "\\");
        else
          DeleteFileA(path.c_str());
      } while (FindNextFileA(find, &data));
      FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
  }
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream stream(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<long>(bytes.size()));
}

// Records what would have gone to the error dialog, so that no test blocks on
// a window.
class TShowRecorder {
 public:
  struct TShown {
    std::string Headline;
    std::string Description;
    std::string RaiseFunction;
    std::string Parameter1;
    uint32_t SystemErrorCode;
  };
  TShowRecorder() {
    TFunStatContext::ShowHandler = [this](const TFunStatContext& context,
                                          const std::string& headline, bool*) {
      Shows.push_back({headline, context.Description, context.RaiseFunction, context.Parameter1,
                       context.SystemErrorCode});
      return true;
    };
    FunStatContext.Reset(fsPerfect);
  }
  ~TShowRecorder() { TFunStatContext::ShowHandler = nullptr; }
  TShowRecorder(const TShowRecorder&) = delete;
  TShowRecorder& operator=(const TShowRecorder&) = delete;

  std::vector<TShown> Shows;
};
