#include "mpegaudio/builtins/value_functions.h"

#include <cmath>
#include <cstdio>

#include "mpegaudio/analysis/header_decoding.h"
#include "mpegaudio/analysis/mpeg_audio.h"

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

// The quotient numerator/denominator rounded to `decimals` places, halves
// away from zero, worked out in integers so that 0.15 and 0.25 round up.
struct TRounded {
  bool Negative = false;
  std::uint64_t Whole = 0;
  std::uint64_t Fraction = 0;  // in units of 10^-decimals
};

TRounded RoundQuotient(std::int64_t numerator, std::int64_t denominator, int decimals) {
  TRounded result;
  if (denominator == 0) return result;
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  const bool negative = numerator < 0;
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(numerator)
                                           : static_cast<std::uint64_t>(numerator);
  const auto divisor = static_cast<std::uint64_t>(denominator);
  std::uint64_t scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;

  result.Whole = magnitude / divisor;
  // The remainder is below the divisor, so scaling it cannot overflow for
  // the divisors used here (at most 2^20).
  const std::uint64_t scaled = (magnitude % divisor) * scale;
  result.Fraction = scaled / divisor;
  if (2 * (scaled % divisor) >= divisor) ++result.Fraction;
  if (result.Fraction == scale) {
    ++result.Whole;
    result.Fraction = 0;
  }
  result.Negative = negative && (result.Whole != 0 || result.Fraction != 0);
  return result;
}

std::string FractionDigits(std::uint64_t fraction, int decimals) {
  std::string digits = std::to_string(fraction);
  if (static_cast<int>(digits.size()) < decimals) {
    digits.insert(0, static_cast<std::size_t>(decimals) - digits.size(), '0');
  }
  return digits;
}

std::string PadLeft(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string TwoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

platform::TLocalDateTime FileDateTimeParts(const TMPEGAudio& audio) {
  return DecodeDateTime(audio.GetFileDateTime());
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

double SecondsToTime(std::int32_t seconds) {
  const std::int32_t hours = seconds / 3600;
  const std::int32_t minutes = (seconds % 3600) / 60;
  const std::int32_t rest = seconds % 60;
  return static_cast<double>((hours * 60 + minutes) * 60 + rest) / 86400.0;
}

std::string FormatDecimal(std::int64_t value) { return std::to_string(value); }

std::string FormatNumber(std::int64_t numerator, std::int64_t denominator, int decimals) {
  const TRounded rounded = RoundQuotient(numerator, denominator, decimals);
  const platform::TLocaleSettings& locale = platform::Locale();
  const std::string digits = std::to_string(rounded.Whole);
  std::string text = rounded.Negative ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += locale.ThousandSeparator;
    text += digits[i];
  }
  if (decimals > 0) {
    text += locale.DecimalSeparator;
    text += FractionDigits(rounded.Fraction, decimals);
  }
  return PadLeft(std::move(text), 20);
}

std::string FormatFixed(std::int64_t numerator, std::int64_t denominator, int decimals,
                        int width) {
  const TRounded rounded = RoundQuotient(numerator, denominator, decimals);
  std::string text = rounded.Negative ? "-" : "";
  text += std::to_string(rounded.Whole);
  if (decimals > 0) {
    text += platform::Locale().DecimalSeparator;
    text += FractionDigits(rounded.Fraction, decimals);
  }
  return PadLeft(std::move(text), width > 0 ? static_cast<std::size_t>(width) : 0);
}

void EnsureDigitAfterSeparator(std::string& text) {
  const std::string& separator = platform::Locale().DecimalSeparator;
  if (!separator.empty() && text.ends_with(separator)) text += '0';
}

namespace values {

void FileName(const TMPEGAudio& audio, std::string& value) {
  value = platform::NamePart(audio.GetFileName(), platform::kNativePathStyle);
}

void FileNameShort(const TMPEGAudio& audio, std::string& value) {
  const std::string shortName = audio.GetShortFileName();
  value = platform::NamePart(shortName, platform::kNativePathStyle);
}

void FilePath(const TMPEGAudio& audio, std::string& value) {
  value = platform::DirectoryPart(audio.GetFileName(), platform::kNativePathStyle);
}

void VolumeLabel(const TMPEGAudio& audio, std::string& value) {
  value = platform::NamePart(audio.Info.VolumeLabel.View(), platform::kNativePathStyle);
}

void Title(const TMPEGAudio& audio, std::string& value) { value = audio.GetTitle(); }

void FileDate(const TMPEGAudio& audio, std::string& value) {
  value = platform::FormatShortDate(FileDateTimeParts(audio));
}

void FileDateTimeForSort(const TMPEGAudio& audio, std::string& value) {
  const platform::TLocalDateTime parts = FileDateTimeParts(audio);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d%02d", parts.Year, parts.Month,
                parts.Day, parts.Hour, parts.Minute, parts.Second);
  value = buffer;
}

void FileTime(const TMPEGAudio& audio, std::string& value) {
  value = platform::FormatLongTime(FileDateTimeParts(audio));
}

void Artist(const TMPEGAudio& audio, std::string& value) { value = audio.GetArtist(); }

void Album(const TMPEGAudio& audio, std::string& value) { value = audio.Info.Album.View(); }

void Year(const TMPEGAudio& audio, std::string& value) { value = audio.Info.Year.View(); }

void Comment(const TMPEGAudio& audio, std::string& value) { value = audio.Info.Comment.View(); }

void Genre(const TMPEGAudio& audio, std::string& value) { value = audio.GetGenreName(); }

void GenreNr(const TMPEGAudio& audio, std::string& value) {
  value = FormatDecimal(audio.Info.Genre);
}

void Track(const TMPEGAudio& audio, std::string& value) {
  value = FormatDecimal(audio.Info.Track);
}

void Duration(const TMPEGAudio& audio, std::string& value) {
  value = FormatDecimal(audio.Info.Duration);
}

void DurationComma(const TMPEGAudio& audio, std::string& value) {
  value = FormatNumber(audio.Info.Duration, 1, 0);
}

void DurationMinutes(const TMPEGAudio& audio, std::string& value) {
  value = FormatNumber(audio.Info.Duration, 60, 1);
}

// Kept apart from DurationMinutes for its row; the text is the same.
void DurationMinutesComma(const TMPEGAudio& audio, std::string& value) {
  value = FormatNumber(audio.Info.Duration, 60, 1);
}

// Minutes of the hour and seconds: a duration of an hour or more loses its
// hours, as users of this form have always seen it.
void DurationForm(const TMPEGAudio& audio, std::string& value) {
  const platform::TLocalDateTime time = DecodeDateTime(SecondsToTime(audio.Info.Duration));
  value = std::to_string(time.Minute) + platform::Locale().TimeSeparator + TwoDigits(time.Second);
}

void Length(const TMPEGAudio& audio, std::string& value) {
  value = FormatDecimal(audio.Info.FileSize);
}

void LengthComma(const TMPEGAudio& audio, std::string& value) {
  value = FormatNumber(audio.Info.FileSize, 1, 0);
}

void LengthKB(const TMPEGAudio& audio, std::string& value) {
  value = FormatDecimal(audio.Info.FileSize / 1024);
}

void LengthKBComma(const TMPEGAudio& audio, std::string& value) {
  value = FormatNumber(audio.Info.FileSize, 1024, 0);
}

void LengthMB(const TMPEGAudio& audio, std::string& value) {
  value = FormatFixed(audio.Info.FileSize, 1048576, 1, 20);
  EnsureDigitAfterSeparator(value);
}

void Version(const TMPEGAudio& audio, std::string& value) {
  // The decoder stores 0 to 3 only; a record set by hand must not read past
  // the table.
  const std::uint8_t version = audio.Info.Version;
  value = VersionNames[version < VersionNames.size() ? version : 0];
}

void Layer(const TMPEGAudio& audio, std::string& value) { value = audio.GetLayerName(); }

void LayerNr(const TMPEGAudio& audio, std::string& value) {
  value = FormatDecimal(audio.Info.Layer);
}

void SampleRate(const TMPEGAudio& audio, std::string& value) {
  value = FormatDecimal(audio.Info.SampleRate);
}

void SampleRateKHz(const TMPEGAudio& audio, std::string& value) {
  value = FormatFixed(audio.Info.SampleRate, 1000, 1, 4);
  EnsureDigitAfterSeparator(value);
}

void BitRate(const TMPEGAudio& audio, std::string& value) {
  value = audio.Info.BitRate == -1 ? std::string("VBR") : FormatDecimal(audio.Info.BitRate);
}

void ErrorProt(const TMPEGAudio& audio, std::string& value) {
  value = audio.GetErrorProtectionText("Yes", "No");
}

void ErrorProtMark(const TMPEGAudio& audio, std::string& value) {
  value = audio.GetErrorProtectionText("*", " ");
}

void Copyright(const TMPEGAudio& audio, std::string& value) {
  value = audio.GetCopyrightText("Yes", "No");
}

void CopyrightMark(const TMPEGAudio& audio, std::string& value) {
  value = audio.GetCopyrightText("*", " ");
}

void Original(const TMPEGAudio& audio, std::string& value) {
  value = audio.GetOriginalText("Yes", "No");
}

void OriginalMark(const TMPEGAudio& audio, std::string& value) {
  value = audio.GetOriginalText("*", " ");
}

void Mode(const TMPEGAudio& audio, std::string& value) { value = audio.GetModeName(); }

// Dual channel counts as stereo: only a single channel is mono.
void Stereo(const TMPEGAudio& audio, std::string& value) {
  value = ChooseText(audio.Info.Mode != 3, "Stereo", "Mono");
}

void ProgramVersion(std::string& value) { value = kProgramVersion; }

void CurrentDate(std::string& value) { value = platform::FormatShortDate(platform::LocalNow()); }

void CurrentTime(std::string& value) { value = platform::FormatLongTime(platform::LocalNow()); }

}  // namespace values
