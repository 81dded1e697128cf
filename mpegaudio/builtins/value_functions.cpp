#include "mpegaudio/builtins/value_functions.h"

#include <cmath>
#include <cstdio>

#include "mpegaudio/analysis/date_time.h"
#include "mpegaudio/analysis/header_decoding.h"
#include "mpegaudio/analysis/mpeg_audio.h"

namespace {

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
