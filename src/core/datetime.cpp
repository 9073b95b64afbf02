#include "datetime.h"

#include <cmath>

namespace {

// Days from 1 March of year 0 (proleptic Gregorian) to the given date.
int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra;
}

const int64_t kEpoch = DaysFromCivil(1899, 12, 30);

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t mp = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

double Fraction(TDateTime value) {
  return value - std::floor(value);
}

// The time of day in whole milliseconds. Rounding first keeps a clock time
// that lies exactly on a boundary (00:03:20) from falling a unit short
// through the fraction's binary error.
int64_t MillisecondsOfDay(TDateTime value) {
  const int64_t milliseconds = std::llround(Fraction(value) * 86400000.0);
  return milliseconds >= 86400000 ? 86399999 : milliseconds;
}

}  // namespace

TDateTime EncodeDateTime(const TCalendarTime& time) {
  const double days = static_cast<double>(DaysFromCivil(time.Year, time.Month, time.Day) - kEpoch);
  const double milliseconds =
      ((time.Hour * 60.0 + time.Minute) * 60.0 + time.Second) * 1000.0 + time.Millisecond;
  return days + milliseconds / 86400000.0;
}

TCalendarTime DecodeDateTime(TDateTime value) {
  TCalendarTime time;
  const double wholeDays = std::floor(value);
  CivilFromDays(static_cast<int64_t>(wholeDays) + kEpoch, time.Year, time.Month, time.Day);
  const int64_t milliseconds = MillisecondsOfDay(value);
  time.Hour = static_cast<int>(milliseconds / 3600000);
  time.Minute = static_cast<int>(milliseconds / 60000 % 60);
  time.Second = static_cast<int>(milliseconds / 1000 % 60);
  time.Millisecond = static_cast<int>(milliseconds % 1000);
  return time;
}

int32_t DayOfYear(TDateTime value) {
  const TCalendarTime time = DecodeDateTime(value);
  const TDateTime firstOfJanuary = EncodeDateTime(TCalendarTime{time.Year, 1, 1});
  return static_cast<int32_t>(std::floor(value) + 1 - firstOfJanuary);
}

int32_t HundredSecondUnits(TDateTime value) {
  return static_cast<int32_t>(MillisecondsOfDay(value) / 100000);
}
