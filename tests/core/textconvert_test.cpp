#include <gtest/gtest.h>

#include "core/statusframe.h"
#include "core/textconvert.h"

TEST(TextConvert, OnlyTheUpperCaseWordIsTrue) {
  EXPECT_EQ(BoolToText(true), "TRUE");
  EXPECT_EQ(BoolToText(false), "FALSE");
  EXPECT_TRUE(TextToBool("TRUE"));
  for (const char* text : {"True", "true", "TRUE ", "", "FALSE"}) EXPECT_FALSE(TextToBool(text));
}

TEST(TextConvert, IntegersAreASignAndDigitsWithinThirtyTwoBits) {
  int32_t value = 0;
  EXPECT_TRUE(TryTextToInt("+30", value) && value == 30);
  EXPECT_TRUE(TryTextToInt("-2147483648", value) && value == INT32_MIN);
  EXPECT_TRUE(TryTextToInt("2147483647", value) && value == INT32_MAX);
  for (const char* bad :
       {"", "-", "abc", "12a", " 12", "1.5", "0x10", "2147483648", "99999999999999999999"})
    EXPECT_FALSE(TryTextToInt(bad, value)) << bad;
  EXPECT_EQ(value, INT32_MAX);  // untouched by the failures
  EXPECT_THROW(TextToInt("seven"), EProgramError);
}
