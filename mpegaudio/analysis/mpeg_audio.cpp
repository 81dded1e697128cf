#include "mpegaudio/analysis/mpeg_audio.h"

#include "mpegaudio/analysis/header_decoding.h"
#include "mpegaudio/analysis/id3v1_tag.h"
#include "mpegaudio/macros/macro_definitions.h"
#include "platform/platform.h"

namespace {

constexpr std::string_view kNoTag = "[notag]";

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
constexpr std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

constexpr bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

TMPEGAudio::TMPEGAudio() : DefaultArtist("Unknown Artist"), DefaultTitle("Unknown Title") {}

void TMPEGAudio::SetFileName(std::string_view name) {
  Info.FileName = name;
  if (AutoLoad) Analyse();
}

void TMPEGAudio::Reset() {
  Info.TagId = "BAD";
  Info.Title = kNoTag;
  Info.Artist = kNoTag;
  Info.Album = kNoTag;
  Info.Year = "    ";
  Info.Comment = kNoTag;
  Info.Genre = 255;
  Info.Track = 0;
  Info.Duration = 0;
  Info.FileSize = 0;
  Info.Version = 0;
  Info.Layer = 0;
  Info.SampleRate = 0;
  Info.BitRate = 0;
  Info.Mode = 0;
  Info.Copyright = 0;
  Info.Original = 0;
  Info.ErrorProtection = 0;
  Info.Padding = 0;
  Info.FrameLength = 0;
  Info.FileName.Clear();
  Info.FileDate = 0;
  Info.FileAttr = 0;
  Info.VolumeLabel.Clear();
  RefreshMacroResult();
}

void TMPEGAudio::RefreshMacroResult() {
  // The usual caller never sets a macro text; spare it the expansion.
  if (MacroText.empty()) {
    MacroResult.clear();
    return;
  }
  MacroResult = ExpandMacro(MacroText);
}

std::string TMPEGAudio::ExpandMacro(std::string_view text) const {
  return MacroDefinitions.ExpandText(text, this, 0);
}

std::string_view TMPEGAudio::GetArtist() const {
  if (HasTag() || DefaultArtist.empty()) return Info.Artist.View();
  return DefaultArtist.View();
}

std::string_view TMPEGAudio::GetTitle() const {
  if (HasTag() || DefaultTitle.empty()) return Info.Title.View();
  return DefaultTitle.View();
}

std::string TMPEGAudio::GetShortFileName() const {
  std::string shortName;
  if (!platform::ShortPathName(Info.FileName.View(), shortName)) {
    return "Error converting long filename to short.";
  }
  return shortName;
}

double TMPEGAudio::GetFileDateTime() const {
  const auto packed = static_cast<std::uint32_t>(Info.FileDate);
  if (packed == 0) return 0;
  const int year = 1980 + static_cast<int>(packed >> 25);
  const int month = static_cast<int>((packed >> 21) & 0x0F);
  const int day = static_cast<int>((packed >> 16) & 0x1F);
  const int hour = static_cast<int>((packed >> 11) & 0x1F);
  const int minute = static_cast<int>((packed >> 5) & 0x3F);
  const int second = static_cast<int>(packed & 0x1F) * 2;
  // -1 (all bits set) is the file system's "no date" and fails here too.
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 ||
      minute > 59 || second > 59) {
    return 0;
  }
  constexpr std::int64_t kEpoch = DaysFromCivil(1899, 12, 30);
  const double days = static_cast<double>(DaysFromCivil(year, month, day) - kEpoch);
  return days + (hour * 3600 + minute * 60 + second) / 86400.0;
}

std::string_view TMPEGAudio::GetGenreName() const {
  return Info.Genre < GenreNames.size() ? GenreNames[Info.Genre] : "Unknown";
}

// Decoding keeps Mode and Layer within 0..3; the mask keeps a record filled
// by other hands from reading outside the tables.
std::string_view TMPEGAudio::GetModeName() const { return ModeNames[Info.Mode & 3]; }

std::string_view TMPEGAudio::GetLayerName() const { return LayerNames[Info.Layer & 3]; }

std::string_view TMPEGAudio::GetCopyrightText(std::string_view whenSet,
                                              std::string_view whenClear) const {
  return ChooseText(Info.Copyright != 0, whenSet, whenClear);
}

std::string_view TMPEGAudio::GetOriginalText(std::string_view whenSet,
                                             std::string_view whenClear) const {
  return ChooseText(Info.Original != 0, whenSet, whenClear);
}

std::string_view TMPEGAudio::GetErrorProtectionText(std::string_view whenSet,
                                                    std::string_view whenClear) const {
  return ChooseText(Info.ErrorProtection != 0, whenSet, whenClear);
}

std::string_view ChooseText(bool flag, std::string_view whenSet, std::string_view whenClear) {
  return flag ? whenSet : whenClear;
}
