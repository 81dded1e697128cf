#include "mpegaudio/analysis/date_time.h"

#include <cmath>

namespace {

constexpr std::int64_t kMillisecondsPerDay = 86400000;
// Days from 1899-12-30 to 1970-01-01.
constexpr std::int64_t kUnixEpochDay = 25569;
// 9999-12-31: beyond it a value is no calendar date the formatters can show.
constexpr double kLastDay = 2958465.0;

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(std::int64_t days, platform::TLocalDateTime& out) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  out.Day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  out.Month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  out.Year = static_cast<int>(yearOfEra + era * 400 + (out.Month <= 2 ? 1 : 0));
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

double EncodeDateTime(const platform::TLocalDateTime& value) {
  const std::int64_t day = DaysFromCivil(value.Year, value.Month, value.Day) + kUnixEpochDay;
  const std::int64_t milliseconds =
      ((static_cast<std::int64_t>(value.Hour) * 60 + value.Minute) * 60 + value.Second) * 1000 +
      value.Millisecond;
  const double time =
      static_cast<double>(milliseconds) / static_cast<double>(kMillisecondsPerDay);
  // Before the epoch the fraction still counts forward from midnight, so
  // 1899-12-29 06:00 is -1.25, as DecodeDateTime reads it.
  return day < 0 ? static_cast<double>(day) - time : static_cast<double>(day) + time;
}

platform::TLocalDateTime DecodeDateTime(double value) {
  platform::TLocalDateTime result;
  if (!std::isfinite(value) || std::fabs(value) > kLastDay) value = 0;
  // As the date-time value has always been read: the whole part counts days
  // (also backwards), the fraction is the time of day whatever the sign.
  const std::int64_t total =
      std::llround(std::fabs(value) * static_cast<double>(kMillisecondsPerDay));
  std::int64_t day = total / kMillisecondsPerDay;
  std::int64_t ofDay = total % kMillisecondsPerDay;
  if (value < 0) day = -day;
  CivilFromDays(day - kUnixEpochDay, result);
  result.Millisecond = static_cast<int>(ofDay % 1000);
  ofDay /= 1000;
  result.Second = static_cast<int>(ofDay % 60);
  ofDay /= 60;
  result.Minute = static_cast<int>(ofDay % 60);
  result.Hour = static_cast<int>(ofDay / 60);
  return result;
}

double DosDateTimeToDateTime(std::int32_t packed) {
  if (packed == 0) return 0;
  // Bits, most significant first: year-1980 (7), month (4), day (5),
  // hour (5), minute (6), second/2 (5).
  const auto bits = static_cast<std::uint32_t>(packed);
  platform::TLocalDateTime parts;
  parts.Year = static_cast<int>(bits >> 25) + 1980;
  parts.Month = static_cast<int>((bits >> 21) & 0x0F);
  parts.Day = static_cast<int>((bits >> 16) & 0x1F);
  parts.Hour = static_cast<int>((bits >> 11) & 0x1F);
  parts.Minute = static_cast<int>((bits >> 5) & 0x3F);
  parts.Second = static_cast<int>(bits & 0x1F) * 2;
  if (parts.Month < 1 || parts.Month > 12) return 0;
  if (parts.Day < 1 || parts.Day > DaysInMonth(parts.Year, parts.Month)) return 0;
  if (parts.Hour > 23 || parts.Minute > 59 || parts.Second > 59) return 0;
  return EncodeDateTime(parts);
}
