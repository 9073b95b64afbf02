#include "files.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace test {

TTempFolder::TTempFolder() {
  static int counter = 0;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  path_ = std::string(temp) + "quiltra-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++counter) + "\\";
  RemoveTree(path_);
  if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
}

TTempFolder::~TTempFolder() {
  RemoveTree(path_);
}

namespace {

// In UTF-16, so that names outside the ANSI code page go too.
void RemoveTree(const std::wstring& directory) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((directory + L"*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = directory + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path + L"\\");
      else
        DeleteFileW(path.c_str());
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  SetFileAttributesW(directory.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(directory.c_str());
}

}  // namespace

void RemoveTree(const std::string& directory) {
  std::string base = directory;
  if (!base.empty() && base.back() != '\\') base += '\\';
  std::wstring wide(base.size() + 1, L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, base.c_str(), -1, wide.data(),
                                                      static_cast<int>(wide.size()))));
  if (wide.empty()) return;
  wide.pop_back();  // the terminating zero
  RemoveTree(wide);
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  if (!file) throw std::runtime_error("cannot write " + path);
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

DWORD Attributes(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}

void MakeDirectory(const std::string& path) {
  if (!CreateDirectoryA(path.c_str(), nullptr)) throw std::runtime_error("cannot create " + path);
}

TCurrentDirectory::TCurrentDirectory(const std::string& path) {
  GetCurrentDirectoryA(MAX_PATH, old_);
  SetCurrentDirectoryA(path.c_str());
}

TCurrentDirectory::~TCurrentDirectory() {
  SetCurrentDirectoryA(old_);
}

std::vector<std::string> TTempFolder::Files() const {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((path_ + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

}  // namespace test
