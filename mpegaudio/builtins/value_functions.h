// The value functions of the built-in per-file and system macros, and the
// number, date and time helpers they share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"

class TMPEGAudio;

inline constexpr std::string_view kProgramVersion = "Corvane 1.8";

// ---------------------------------------------------------------------------
// Date-time values (see mpegaudio/analysis/date_time.h).

// The time of day of `seconds` (0 to 65535: at most 18 hours).
double SecondsToTime(std::int32_t seconds);

// ---------------------------------------------------------------------------
// Number formats. Rounding works on the exact quotient numerator/denominator
// and takes halves away from zero; separators come from platform::Locale().

// Plain decimal digits, '-' when negative.
std::string FormatDecimal(std::int64_t value);
// Rounded to `decimals` (0 or 1) places, integer digits grouped in threes,
// right-aligned in 20 characters ("%20.0n", "%20.1n").
std::string FormatNumber(std::int64_t numerator, std::int64_t denominator,
                         int decimals);
// Rounded to `decimals` places, no grouping, right-aligned in `width`
// characters ("%20.1f", "%4.1f").
std::string FormatFixed(std::int64_t numerator, std::int64_t denominator,
                        int decimals, int width);
// A text that ends in the decimal separator gets a "0" after it.
void EnsureDigitAfterSeparator(std::string& text);

// ---------------------------------------------------------------------------
// The value functions, one per catalogue row, named after the row's long
// name. Each sets `value` on every path and only reads the object.

namespace values {

void FileName(const TMPEGAudio& audio, std::string& value);
void FileNameShort(const TMPEGAudio& audio, std::string& value);
void FilePath(const TMPEGAudio& audio, std::string& value);
void VolumeLabel(const TMPEGAudio& audio, std::string& value);
void Title(const TMPEGAudio& audio, std::string& value);
void FileDate(const TMPEGAudio& audio, std::string& value);
void FileDateTimeForSort(const TMPEGAudio& audio, std::string& value);
void FileTime(const TMPEGAudio& audio, std::string& value);
void Artist(const TMPEGAudio& audio, std::string& value);
void Album(const TMPEGAudio& audio, std::string& value);
void Year(const TMPEGAudio& audio, std::string& value);
void Comment(const TMPEGAudio& audio, std::string& value);
void Genre(const TMPEGAudio& audio, std::string& value);
void GenreNr(const TMPEGAudio& audio, std::string& value);
void Track(const TMPEGAudio& audio, std::string& value);
void Duration(const TMPEGAudio& audio, std::string& value);
void DurationComma(const TMPEGAudio& audio, std::string& value);
void DurationMinutes(const TMPEGAudio& audio, std::string& value);
void DurationMinutesComma(const TMPEGAudio& audio, std::string& value);
void DurationForm(const TMPEGAudio& audio, std::string& value);
void Length(const TMPEGAudio& audio, std::string& value);
void LengthComma(const TMPEGAudio& audio, std::string& value);
void LengthKB(const TMPEGAudio& audio, std::string& value);
void LengthKBComma(const TMPEGAudio& audio, std::string& value);
void LengthMB(const TMPEGAudio& audio, std::string& value);
void Version(const TMPEGAudio& audio, std::string& value);
void Layer(const TMPEGAudio& audio, std::string& value);
void LayerNr(const TMPEGAudio& audio, std::string& value);
void SampleRate(const TMPEGAudio& audio, std::string& value);
void SampleRateKHz(const TMPEGAudio& audio, std::string& value);
void BitRate(const TMPEGAudio& audio, std::string& value);
void ErrorProt(const TMPEGAudio& audio, std::string& value);
void ErrorProtMark(const TMPEGAudio& audio, std::string& value);
void Copyright(const TMPEGAudio& audio, std::string& value);
void CopyrightMark(const TMPEGAudio& audio, std::string& value);
void Original(const TMPEGAudio& audio, std::string& value);
void OriginalMark(const TMPEGAudio& audio, std::string& value);
void Mode(const TMPEGAudio& audio, std::string& value);
void Stereo(const TMPEGAudio& audio, std::string& value);

void ProgramVersion(std::string& value);
void CurrentDate(std::string& value);
void CurrentTime(std::string& value);

}  // namespace values
