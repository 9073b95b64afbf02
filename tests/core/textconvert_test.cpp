#include <gtest/gtest.h>

#include "core/statusframe.h"
#include "core/textconvert.h"

TEST(TextConvert, FlagsAreUpperCaseWordsAndOnlyTrueIsTrue) {
  EXPECT_EQ(BoolToText(true), "TRUE");
  EXPECT_EQ(BoolToText(false), "FALSE");
  EXPECT_TRUE(TextToBool("TRUE"));
  EXPECT_FALSE(TextToBool("True"));
  EXPECT_FALSE(TextToBool("true"));
  EXPECT_FALSE(TextToBool("TRUE "));
  EXPECT_FALSE(TextToBool(""));
  EXPECT_FALSE(TextToBool("FALSE"));
}

TEST(TextConvert, IntegersTakeASignAndDigitsWithinThirtyTwoBits) {
  int32_t value = 99;
  EXPECT_TRUE(TryTextToInt("12", value));
  EXPECT_EQ(value, 12);
  EXPECT_TRUE(TryTextToInt("-7", value));
  EXPECT_EQ(value, -7);
  EXPECT_TRUE(TryTextToInt("+30", value));
  EXPECT_EQ(value, 30);
  EXPECT_TRUE(TryTextToInt("007", value));
  EXPECT_EQ(value, 7);
  EXPECT_TRUE(TryTextToInt("2147483647", value));
  EXPECT_EQ(value, 2147483647);
  EXPECT_TRUE(TryTextToInt("-2147483648", value));
  EXPECT_EQ(value, INT32_MIN);

  value = 5;
  for (const char* bad : {"", "-", "+", "abc", "12a", " 12", "12 ", "1.5", "0x10", "2147483648",
                          "-2147483649", "99999999999999999999"}) {
    EXPECT_FALSE(TryTextToInt(bad, value)) << bad;
    EXPECT_EQ(value, 5) << bad;
  }
}

TEST(TextConvert, ABadIntegerThrowsWithTheTextInItsMessage) {
  EXPECT_EQ(TextToInt("31"), 31);
  try {
    TextToInt("seven");
    FAIL() << "no exception";
  } catch (const EProgramError& e) {
    EXPECT_STREQ(e.what(), "'seven' is not a valid integer value.");
  }
}
