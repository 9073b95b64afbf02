#include "timetext.h"

#include <windows.h>

namespace {

SYSTEMTIME SystemTimeOf(TDateTime value) {
  const TCalendarTime time = DecodeDateTime(value);
  SYSTEMTIME system{};
  system.wYear = static_cast<WORD>(time.Year);
  system.wMonth = static_cast<WORD>(time.Month);
  system.wDay = static_cast<WORD>(time.Day);
  system.wHour = static_cast<WORD>(time.Hour);
  system.wMinute = static_cast<WORD>(time.Minute);
  system.wSecond = static_cast<WORD>(time.Second);
  system.wMilliseconds = static_cast<WORD>(time.Millisecond);
  // The day of the week is needed by long date formats that name it.
  FILETIME file{};
  if (SystemTimeToFileTime(&system, &file)) FileTimeToSystemTime(&file, &system);
  return system;
}

std::string LocaleText(LCTYPE type) {
  char buffer[128] = {};
  int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return length > 0 ? std::string(buffer) : std::string();
}

// The locale's long time format, its own separator replaced by ":".
std::string LongTimeFormat() {
  std::string format = LocaleText(LOCALE_STIMEFORMAT);
  const std::string separator = LocaleText(LOCALE_STIME);
  if (format.empty()) return "HH:mm:ss";
  if (!separator.empty() && separator != ":") {
    std::string replaced;
    for (size_t i = 0; i < format.size();) {
      if (format.compare(i, separator.size(), separator) == 0) {
        replaced += ':';
        i += separator.size();
      } else {
        replaced += format[i++];
      }
    }
    format = replaced;
  }
  return format;
}

}  // namespace

TDateTime CurrentDateTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return EncodeDateTime(TCalendarTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                                      now.wSecond, now.wMilliseconds});
}

std::string GetDateText(TDateTime value) {
  SYSTEMTIME system = SystemTimeOf(value);
  char buffer[128] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &system, nullptr, buffer, sizeof buffer);
  return std::string(buffer) + " (" + std::to_string(DayOfYear(value)) + ")";
}

std::string GetClockText(TDateTime value) {
  SYSTEMTIME system = SystemTimeOf(value);
  const std::string format = LongTimeFormat();
  char buffer[128] = {};
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &system, format.c_str(), buffer, sizeof buffer);
  return std::string(buffer) + " (" + std::to_string(HundredSecondUnits(value)) + ")";
}

std::string GetDateTimeText(const std::string& separator, TDateTime value) {
  return GetDateText(value) + separator + GetClockText(value);
}
