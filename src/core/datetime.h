// Date-time values: days since 30 December 1899, the time of day as the
// fraction (0.5 is noon).
#pragma once

#include <cstdint>

using TDateTime = double;

struct TCalendarTime {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};

TDateTime EncodeDateTime(const TCalendarTime& time);
TCalendarTime DecodeDateTime(TDateTime value);
// 1 January is day 1.
int32_t DayOfYear(TDateTime value);
// Whole 100-second units since midnight, 0 to 863.
int32_t HundredSecondUnits(TDateTime value);
