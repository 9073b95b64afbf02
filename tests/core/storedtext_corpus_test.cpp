#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/storedtext_properties.h"

// Every file the fuzzer was seeded with or found worth keeping is read again
// here, natively under the sanitizers and under Wine.
TEST(StoredTextCorpus, EveryFileKeepsTheProperties) {
  const std::filesystem::path corpus = std::filesystem::path(QUILTRA_FUZZ_CORPUS) / "storedtext";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (!entry.is_regular_file() || entry.path().filename().string()[0] == '.') continue;
    std::ifstream stream(entry.path(), std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(stream)),
                           std::istreambuf_iterator<char>());
    EXPECT_EQ(storedtext_properties::Check(data), "") << entry.path().filename().string();
    ++files;
  }
  EXPECT_GE(files, 10);
}

TEST(StoredTextCorpus, TheReferenceConversionAgreesOnTheEdges) {
  int32_t value = 0;
  EXPECT_TRUE(storedtext_properties::ReferenceInteger("  -$80000000", value));
  EXPECT_EQ(value, INT32_MIN);
  EXPECT_FALSE(storedtext_properties::ReferenceInteger("$80000000", value));
  EXPECT_FALSE(storedtext_properties::ReferenceInteger("0x", value));
  EXPECT_EQ(storedtext_properties::Check(std::string("[S]\r\nK=\xff\r\n\0[T]", 12)), "");
}
