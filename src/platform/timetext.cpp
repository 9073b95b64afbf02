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

// Calls a locale function twice: for the size it needs (zero terminator
// included), then to fill that much. Empty when either call fails, so a text
// longer than expected is never read past its end.
template <class Fill>
std::string LocaleCall(Fill fill) {
  const int size = fill(nullptr, 0);
  if (size <= 0) return {};
  std::string text(static_cast<size_t>(size), '\0');
  const int length = fill(text.data(), size);
  if (length <= 0) return {};
  text.resize(static_cast<size_t>(length) - 1);
  return text;
}

std::string LocaleText(LCTYPE type) {
  return LocaleCall([type](char* buffer, int size) {
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, size);
  });
}

}  // namespace

std::string ColonTimeFormat(const std::string& format, const std::string& separator) {
  if (format.empty()) return "HH:mm:ss";
  if (separator.empty() || separator == ":") return format;
  std::string result;
  bool quoted = false;  // text in single quotes is printed as it stands
  for (size_t i = 0; i < format.size();) {
    if (format[i] == '\'') {
      quoted = !quoted;
      result += format[i++];
    } else if (!quoted && format.compare(i, separator.size(), separator) == 0) {
      result += ':';
      i += separator.size();
    } else {
      result += format[i++];
    }
  }
  return result;
}

TDateTime CurrentDateTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return EncodeDateTime(TCalendarTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                                      now.wSecond, now.wMilliseconds});
}

std::string GetDateText(TDateTime value) {
  const SYSTEMTIME system = SystemTimeOf(value);
  const std::string date = LocaleCall([&system](char* buffer, int size) {
    return GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &system, nullptr, buffer, size);
  });
  return date + " (" + std::to_string(DayOfYear(value)) + ")";
}

std::string GetClockText(TDateTime value) {
  const SYSTEMTIME system = SystemTimeOf(value);
  const std::string format =
      ColonTimeFormat(LocaleText(LOCALE_STIMEFORMAT), LocaleText(LOCALE_STIME));
  const std::string clock = LocaleCall([&](char* buffer, int size) {
    return GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &system, format.c_str(), buffer, size);
  });
  return clock + " (" + std::to_string(HundredSecondUnits(value)) + ")";
}

std::string GetDateTimeText(const std::string& separator, TDateTime value) {
  return GetDateText(value) + separator + GetClockText(value);
}
