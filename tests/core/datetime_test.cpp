#include <gtest/gtest.h>

#include "core/datetime.h"

TEST(DateTime, DayOfYearAndHundredSecondUnits) {
  const TDateTime newYear = EncodeDateTime(TCalendarTime{2026, 1, 1, 0, 0, 0});
  EXPECT_EQ(DayOfYear(newYear), 1);
  EXPECT_EQ(HundredSecondUnits(newYear), 0);
  const TDateTime lastSecond = EncodeDateTime(TCalendarTime{2026, 3, 1, 23, 59, 59});
  EXPECT_EQ(HundredSecondUnits(lastSecond), 863);
  EXPECT_EQ(DayOfYear(EncodeDateTime(TCalendarTime{2024, 12, 31, 12, 0, 0})), 366);
  EXPECT_EQ(DayOfYear(EncodeDateTime(TCalendarTime{2026, 12, 31})), 365);
  // 17:49:53 on the 340th day: unit 641.
  const TDateTime evening = EncodeDateTime(TCalendarTime{2026, 12, 6, 17, 49, 53});
  EXPECT_EQ(DayOfYear(evening), 340);
  EXPECT_EQ(HundredSecondUnits(evening), 641);
}

TEST(DateTime, EpochAndRoundTrip) {
  EXPECT_DOUBLE_EQ(EncodeDateTime(TCalendarTime{1899, 12, 30}), 0.0);
  EXPECT_DOUBLE_EQ(EncodeDateTime(TCalendarTime{1900, 1, 1, 12}), 2.5);
  const TCalendarTime time = DecodeDateTime(EncodeDateTime(TCalendarTime{2000, 2, 29, 8, 7, 6, 5}));
  EXPECT_EQ(time.Year, 2000);
  EXPECT_EQ(time.Month, 2);
  EXPECT_EQ(time.Day, 29);
  EXPECT_EQ(time.Hour, 8);
  EXPECT_EQ(time.Minute, 7);
  EXPECT_EQ(time.Second, 6);
  EXPECT_EQ(time.Millisecond, 5);
}

TEST(DateTime, HundredSecondUnitsOnExactBoundaries) {
  // A clock time exactly on a unit boundary counts that unit, whatever the
  // binary error of the day's fraction.
  for (int year : {1900, 2006, 2026})
    for (int seconds = 0; seconds < 86400; seconds += 100) {
      const TDateTime value = EncodeDateTime(
          TCalendarTime{year, 6, 15, seconds / 3600, seconds / 60 % 60, seconds % 60});
      ASSERT_EQ(HundredSecondUnits(value), seconds / 100) << year << " " << seconds;
    }
  // The last millisecond of the day is still unit 863, not the next day's 864.
  EXPECT_EQ(HundredSecondUnits(EncodeDateTime(TCalendarTime{2026, 1, 1, 23, 59, 59, 999})), 863);
}
