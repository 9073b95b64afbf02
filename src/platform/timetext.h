// The date-and-time text that stamps every error report.
#pragma once

#include <string>

#include "core/datetime.h"

TDateTime CurrentDateTime();
// The locale's long date and " (" day of the year ")".
std::string GetDateText(TDateTime value);
// The locale's long time, with ":" as the time separator, and " (" the
// 100-second units since midnight ")".
std::string GetClockText(TDateTime value);
// The locale's long time format with ":" in place of its own time separator
// (outside quoted text); "HH:mm:ss" when the locale gives none.
std::string ColonTimeFormat(const std::string& format, const std::string& separator);
std::string GetDateTimeText(const std::string& separator, TDateTime value);
