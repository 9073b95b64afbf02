// The fuzzers' checked-in corpora, read back by the core tests. Portable.
#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace test {

// Calls check with the name and bytes of every file of the corpus folder
// fuzz/corpus/<name> (QUILTRA_FUZZ_CORPUS is the corpora's folder); gives the
// number of files.
inline int ForEachCorpusFile(
    const std::string& name,
    const std::function<void(const std::string& file, const std::string& data)>& check) {
  const std::filesystem::path corpus = std::filesystem::path(QUILTRA_FUZZ_CORPUS) / name;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (!entry.is_regular_file() || entry.path().filename().string()[0] == '.') continue;
    std::ifstream stream(entry.path(), std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(stream)),
                           std::istreambuf_iterator<char>());
    check(entry.path().filename().string(), data);
    ++files;
  }
  return files;
}

}  // namespace test
