// Date-time values: days since 1899-12-30 00:00 as a double, the time of day
// as the fraction. Dates and times pass between the library's helpers so.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// A date and time of day as a date-time value.
double EncodeDateTime(const platform::TLocalDateTime& value);
// The calendar date and time of day of a date-time value, to the millisecond.
platform::TLocalDateTime DecodeDateTime(double value);
// A packed DOS date and time (date in the high 16 bits); 0 when the fields
// are not a real date and time, as for -1 or a never-set stamp.
double DosDateTimeToDateTime(std::int32_t packed);
