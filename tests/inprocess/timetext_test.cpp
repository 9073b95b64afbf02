// The report's time stamp: the locale's long date and long time with the day
// of the year and the 100-second units.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/timetext.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool UnitedStatesLocale() {
  return LANGIDFROMLCID(GetUserDefaultLCID()) == 0x0409;
}

}  // namespace

TEST(TimeText, DayOfYearAndUnitsFollowTheLocaleTexts) {
  const TDateTime evening = EncodeDateTime(TCalendarTime{2024, 12, 6, 17, 49, 53});
  EXPECT_TRUE(EndsWith(GetDateText(evening), " (341)")) << GetDateText(evening);
  EXPECT_TRUE(EndsWith(GetClockText(evening), " (641)")) << GetClockText(evening);
  EXPECT_NE(GetClockText(evening).find("49:53"), std::string::npos) << GetClockText(evening);
  EXPECT_EQ(GetDateTimeText(" | ", evening), GetDateText(evening) + " | " + GetClockText(evening));

  const TDateTime newYear = EncodeDateTime(TCalendarTime{2024, 1, 1});
  EXPECT_TRUE(EndsWith(GetDateText(newYear), " (1)")) << GetDateText(newYear);
  EXPECT_TRUE(EndsWith(GetClockText(newYear), " (0)")) << GetClockText(newYear);
  const TDateTime lastSecond = EncodeDateTime(TCalendarTime{2024, 12, 31, 23, 59, 59});
  EXPECT_TRUE(EndsWith(GetDateText(lastSecond), " (366)")) << GetDateText(lastSecond);
  EXPECT_TRUE(EndsWith(GetClockText(lastSecond), " (863)")) << GetClockText(lastSecond);

  if (UnitedStatesLocale()) {
    // The long formats name the weekday, which the stamp must get right.
    EXPECT_EQ(GetDateText(evening), "Friday, December 6, 2024 (341)");
    EXPECT_EQ(GetClockText(evening), "5:49:53 PM (641)");
    EXPECT_EQ(GetDateTimeText(" | ", newYear), "Monday, January 1, 2024 (1) | 12:00:00 AM (0)");
  }
}

TEST(TimeText, TimeSeparatorBecomesAColon) {
  EXPECT_EQ(ColonTimeFormat("HH.mm.ss", "."), "HH:mm:ss");
  EXPECT_EQ(ColonTimeFormat("h:mm:ss tt", ":"), "h:mm:ss tt");
  // Quoted text is printed as it stands.
  EXPECT_EQ(ColonTimeFormat("H.mm.ss 'Uhr.'", "."), "H:mm:ss 'Uhr.'");
  EXPECT_EQ(ColonTimeFormat("HH h mm", " h "), "HH:mm");
  EXPECT_EQ(ColonTimeFormat("", "."), "HH:mm:ss");
}
