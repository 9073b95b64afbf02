#include <gtest/gtest.h>

#include <string>

#include "fuzz/gamefile_properties.h"
#include "fuzz/storedtext_properties.h"
#include "tests/support/corpus.h"

// Every file the fuzzers were seeded with or found worth keeping is read
// again here, natively under the sanitizers and under Wine.
TEST(StoredTextCorpus, EveryFileKeepsTheProperties) {
  const int files =
      test::ForEachCorpusFile("storedtext", [](const std::string& file, const std::string& data) {
        EXPECT_EQ(storedtext_properties::Check(data), "") << file;
      });
  EXPECT_GE(files, 10);
}

TEST(GameFileCorpus, EveryFileIsRefusedOrWhole) {
  const int files =
      test::ForEachCorpusFile("gamefile", [](const std::string& file, const std::string& data) {
        EXPECT_EQ(gamefile_properties::Check(data), "") << file;
      });
  EXPECT_GE(files, 7);
}

TEST(StoredTextCorpus, TheReferenceConversionAgreesOnTheEdges) {
  int32_t value = 0;
  EXPECT_TRUE(storedtext_properties::ReferenceInteger("  -$80000000", value));
  EXPECT_EQ(value, INT32_MIN);
  EXPECT_FALSE(storedtext_properties::ReferenceInteger("$80000000", value));
  EXPECT_FALSE(storedtext_properties::ReferenceInteger("0x", value));
  EXPECT_EQ(storedtext_properties::Check(std::string("[S]\r\nK=\xff\r\n\0[T]", 12)), "");
}
