#include "mpegaudio/builtins/value_functions.h"

#include <gtest/gtest.h>

#include <string>

#include "mpegaudio/analysis/date_time.h"
#include "mpegaudio/analysis/id3v1_tag.h"
#include "mpegaudio/analysis/mpeg_audio.h"
#include "platform/platform.h"
#include "tests/support/mpeg_fixtures.h"
#include "tests/support/native_path.h"

namespace {

using TFunc = void (*)(const TMPEGAudio&, std::string&);
using TSetup = void (*)(TAudioInfo&);

// The value as the expander uses it: stripped.
std::string Stripped(TFunc func, const TMPEGAudio& audio) {
  std::string value = "stale";
  func(audio, value);
  return std::string(Strip(value));
}

// The expected texts below are written with '.' and ','; the test process
// never calls setlocale, so the C locale's separators hold.
void RequireCLocaleSeparators() {
  const platform::TLocaleSettings& locale = platform::Locale();
  ASSERT_EQ(locale.DecimalSeparator, ".");
  ASSERT_EQ(locale.ThousandSeparator, ",");
  ASSERT_EQ(locale.TimeSeparator, ":");
}

using fixtures::PackDos;

TEST(ValueFunctions, GiveTheDocumentedTextsForRecordFields) {
  RequireCLocaleSeparators();
  struct Case {
    const char* label;
    TSetup setup;
    TFunc func;
    const char* expected;
  };
  const Case kCases[] = {
      {"Duration 3725", [](TAudioInfo& i) { i.Duration = 3725; }, values::Duration, "3725"},
      {"Duration 3725", [](TAudioInfo& i) { i.Duration = 3725; }, values::DurationComma, "3,725"},
      {"Duration 3725", [](TAudioInfo& i) { i.Duration = 3725; }, values::DurationMinutes, "62.1"},
      {"Duration 3725", [](TAudioInfo& i) { i.Duration = 3725; }, values::DurationMinutesComma,
       "62.1"},
      {"Duration 3725 drops the hour", [](TAudioInfo& i) { i.Duration = 3725; },
       values::DurationForm, "2:05"},
      {"Duration 245", [](TAudioInfo& i) { i.Duration = 245; }, values::DurationForm, "4:05"},
      {"Duration 9 is 0.15 exactly", [](TAudioInfo& i) { i.Duration = 9; },
       values::DurationMinutes, "0.2"},
      {"Duration 65535", [](TAudioInfo& i) { i.Duration = 65535; }, values::DurationForm,
       "12:15"},
      {"Duration 0", [](TAudioInfo&) {}, values::Duration, "0"},
      {"Duration 0", [](TAudioInfo&) {}, values::DurationComma, "0"},
      {"Duration 0", [](TAudioInfo&) {}, values::DurationMinutes, "0.0"},
      {"Duration 0", [](TAudioInfo&) {}, values::DurationForm, "0:00"},
      {"FileSize 1536", [](TAudioInfo& i) { i.FileSize = 1536; }, values::Length, "1536"},
      {"FileSize 1536", [](TAudioInfo& i) { i.FileSize = 1536; }, values::LengthKB, "1"},
      {"FileSize 1536 is 1.5 KB exactly", [](TAudioInfo& i) { i.FileSize = 1536; },
       values::LengthKBComma, "2"},
      {"FileSize 1536", [](TAudioInfo& i) { i.FileSize = 1536; }, values::LengthMB, "0.0"},
      {"FileSize 5000000", [](TAudioInfo& i) { i.FileSize = 5000000; }, values::LengthComma,
       "5,000,000"},
      {"FileSize 5000000", [](TAudioInfo& i) { i.FileSize = 5000000; }, values::LengthKB, "4882"},
      {"FileSize 5000000", [](TAudioInfo& i) { i.FileSize = 5000000; }, values::LengthKBComma,
       "4,883"},
      {"FileSize 5000000", [](TAudioInfo& i) { i.FileSize = 5000000; }, values::LengthMB, "4.8"},
      {"FileSize 262144 is 0.25 MB exactly", [](TAudioInfo& i) { i.FileSize = 262144; },
       values::LengthMB, "0.3"},
      {"FileSize beyond 2 GiB", [](TAudioInfo& i) { i.FileSize = 3221225472; },
       values::LengthComma, "3,221,225,472"},
      {"Genre 125", [](TAudioInfo& i) { i.Genre = 125; }, values::Genre, "Dance Hall"},
      {"Genre 125", [](TAudioInfo& i) { i.Genre = 125; }, values::GenreNr, "125"},
      {"Genre 126", [](TAudioInfo& i) { i.Genre = 126; }, values::Genre, "Unknown"},
      {"Genre 126", [](TAudioInfo& i) { i.Genre = 126; }, values::GenreNr, "126"},
      {"Genre 255", [](TAudioInfo& i) { i.Genre = 255; }, values::Genre, "Unknown"},
      {"Genre 255", [](TAudioInfo& i) { i.Genre = 255; }, values::GenreNr, "255"},
      {"Genre 0", [](TAudioInfo&) {}, values::Genre, "Blues"},
      {"Track 7", [](TAudioInfo& i) { i.Track = 7; }, values::Track, "7"},
      {"BitRate -1", [](TAudioInfo& i) { i.BitRate = -1; }, values::BitRate, "VBR"},
      {"BitRate 128", [](TAudioInfo& i) { i.BitRate = 128; }, values::BitRate, "128"},
      {"BitRate 0", [](TAudioInfo&) {}, values::BitRate, "0"},
      {"SampleRate 44100", [](TAudioInfo& i) { i.SampleRate = 44100; }, values::SampleRate,
       "44100"},
      {"SampleRate 44100", [](TAudioInfo& i) { i.SampleRate = 44100; }, values::SampleRateKHz,
       "44.1"},
      {"SampleRate 8000", [](TAudioInfo& i) { i.SampleRate = 8000; }, values::SampleRateKHz,
       "8.0"},
      {"SampleRate 22050 is 22.05 exactly", [](TAudioInfo& i) { i.SampleRate = 22050; },
       values::SampleRateKHz, "22.1"},
      {"SampleRate 0", [](TAudioInfo&) {}, values::SampleRate, "0"},
      {"SampleRate 0", [](TAudioInfo&) {}, values::SampleRateKHz, "0.0"},
      {"Version 0", [](TAudioInfo&) {}, values::Version, "Unknown"},
      {"Version 3", [](TAudioInfo& i) { i.Version = 3; }, values::Version, "2.5"},
      {"Layer 0", [](TAudioInfo&) {}, values::Layer, "Unknown"},
      {"Layer 0", [](TAudioInfo&) {}, values::LayerNr, "0"},
      {"Layer 2", [](TAudioInfo& i) { i.Layer = 2; }, values::Layer, "II"},
      {"Mode 3", [](TAudioInfo& i) { i.Mode = 3; }, values::Mode, "Single-Channel"},
      {"Mode 3", [](TAudioInfo& i) { i.Mode = 3; }, values::Stereo, "Mono"},
      {"Mode 2", [](TAudioInfo& i) { i.Mode = 2; }, values::Mode, "Dual-Channel"},
      {"Mode 2", [](TAudioInfo& i) { i.Mode = 2; }, values::Stereo, "Stereo"},
      {"ErrorProtection 1", [](TAudioInfo& i) { i.ErrorProtection = 1; }, values::ErrorProt,
       "Yes"},
      {"ErrorProtection 1", [](TAudioInfo& i) { i.ErrorProtection = 1; }, values::ErrorProtMark,
       "*"},
      {"ErrorProtection 0", [](TAudioInfo&) {}, values::ErrorProt, "No"},
      {"Copyright 1", [](TAudioInfo& i) { i.Copyright = 1; }, values::Copyright, "Yes"},
      {"Copyright 1", [](TAudioInfo& i) { i.Copyright = 1; }, values::CopyrightMark, "*"},
      {"Original 0", [](TAudioInfo&) {}, values::Original, "No"},
      {"Original 1", [](TAudioInfo& i) { i.Original = 1; }, values::OriginalMark, "*"},
      {"Year of four spaces", [](TAudioInfo& i) { i.Year = "    "; }, values::Year, ""},
      {"Album", [](TAudioInfo& i) { i.Album = "Best Of"; }, values::Album, "Best Of"},
      {"Comment", [](TAudioInfo& i) { i.Comment = "ripped"; }, values::Comment, "ripped"},
      {"FileDate 0", [](TAudioInfo&) {}, values::FileDateTimeForSort, "18991230000000"},
      {"FileDate -1", [](TAudioInfo& i) { i.FileDate = -1; }, values::FileDateTimeForSort,
       "18991230000000"},
      {"FileDate 1999-12-31 23:59:58",
       [](TAudioInfo& i) { i.FileDate = PackDos(1999, 12, 31, 23, 59, 58); },
       values::FileDateTimeForSort, "19991231235958"},
      {"FileName", [](TAudioInfo& i) { i.FileName = fixtures::NativePath("/music/Rock-Pop/Song.mp3"); },
       values::FileName, "Song.mp3"},
      {"FilePath", [](TAudioInfo& i) { i.FileName = fixtures::NativePath("/music/Rock-Pop/Song.mp3"); },
       values::FilePath, "/music/Rock-Pop/"},
      {"VolumeLabel", [](TAudioInfo& i) { i.VolumeLabel = "MUSIC"; }, values::VolumeLabel,
       "MUSIC"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    TMPEGAudio audio;
    c.setup(audio.Info);
    EXPECT_EQ(Stripped(c.func, audio), fixtures::NativePath(c.expected));
  }
}

// The flags' clear texts are a single space: stripping empties them, and the
// catalogue's widths pad them back.
TEST(ValueFunctions, ClearMarkIsOneSpaceBeforeStripping) {
  TMPEGAudio audio;
  for (TFunc func : {values::ErrorProtMark, values::CopyrightMark, values::OriginalMark}) {
    std::string value;
    func(audio, value);
    EXPECT_EQ(value, " ");
  }
}

TEST(ValueFunctions, TitleAndArtistFollowTheTagOrTheDefaults) {
  TMPEGAudio audio;
  audio.Info.Artist = "Band";
  audio.Info.Title = "Song";
  EXPECT_EQ(Stripped(values::Artist, audio), "Unknown Artist");
  EXPECT_EQ(Stripped(values::Title, audio), "Unknown Title");
  audio.Info.TagId = "TAG";
  EXPECT_EQ(Stripped(values::Artist, audio), "Band");
  EXPECT_EQ(Stripped(values::Title, audio), "Song");
}

TEST(ValueFunctions, FileDateAndTimeUseThePlatformFormats) {
  TMPEGAudio audio;
  audio.Info.FileDate = PackDos(2004, 2, 29, 7, 5, 30);
  const platform::TLocalDateTime expected{2004, 2, 29, 7, 5, 30, 0};
  EXPECT_EQ(Stripped(values::FileDate, audio), Strip(platform::FormatShortDate(expected)));
  EXPECT_EQ(Stripped(values::FileTime, audio), Strip(platform::FormatLongTime(expected)));

  audio.Info.FileDate = 0;
  const platform::TLocalDateTime epoch{1899, 12, 30, 0, 0, 0, 0};
  EXPECT_EQ(Stripped(values::FileDate, audio), Strip(platform::FormatShortDate(epoch)));
  EXPECT_EQ(Stripped(values::FileTime, audio), Strip(platform::FormatLongTime(epoch)));
}

TEST(ValueFunctions, ShortNameIsTheErrorTextWhereTheSystemHasNone) {
  TMPEGAudio audio;
  audio.Info.FileName = "/music/Long Name.mp3";
  std::string shortName;
  if (platform::ShortPathName(audio.GetFileName(), shortName)) {
    GTEST_SKIP() << "this system has short names";
  }
  EXPECT_EQ(Stripped(values::FileNameShort, audio), "Error converting long filename to short.");
}

TEST(ValueFunctions, SystemValues) {
  std::string value;
  values::ProgramVersion(value);
  EXPECT_EQ(value, "Corvane 1.8");

  // The clock may tick between the reads: accept the text of either side.
  const std::string dateBefore = platform::FormatShortDate(platform::LocalNow());
  const std::string timeBefore = platform::FormatLongTime(platform::LocalNow());
  std::string date;
  std::string time;
  values::CurrentDate(date);
  values::CurrentTime(time);
  const std::string dateAfter = platform::FormatShortDate(platform::LocalNow());
  const std::string timeAfter = platform::FormatLongTime(platform::LocalNow());
  EXPECT_TRUE(date == dateBefore || date == dateAfter) << date;
  EXPECT_TRUE(time == timeBefore || time == timeAfter) << time;
}

TEST(NumberFormats, RoundTheExactQuotientHalvesAwayFromZero) {
  RequireCLocaleSeparators();
  struct Case {
    std::int64_t numerator, denominator;
    int decimals;
    const char* number;  // grouped
    const char* fixed;   // ungrouped
  };
  constexpr Case kCases[] = {
      {9, 60, 1, "0.2", "0.2"},                // 0.15
      {1536, 1024, 0, "2", "2"},               // 1.5
      {262144, 1048576, 1, "0.3", "0.3"},      // 0.25
      {22050, 1000, 1, "22.1", "22.1"},        // 22.05
      {22049, 1000, 1, "22.0", "22.0"},        // just below the half
      {-3, 2, 0, "-2", "-2"},                  // -1.5
      {-1, 100, 1, "0.0", "0.0"},              // no minus sign on a zero
      {99996, 100, 1, "1,000.0", "1000.0"},    // rounding carries into the whole part
      {999999, 1, 0, "999,999", "999999"},
      {-1234567, 1, 0, "-1,234,567", "-1234567"},
      {0, 1, 1, "0.0", "0.0"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.numerator << "/" << c.denominator);
    const std::string number = FormatNumber(c.numerator, c.denominator, c.decimals);
    EXPECT_EQ(number.size(), 20u);
    EXPECT_EQ(Strip(number), c.number);
    const std::string fixed = FormatFixed(c.numerator, c.denominator, c.decimals, 4);
    EXPECT_GE(fixed.size(), 4u);
    EXPECT_EQ(Strip(fixed), c.fixed);
  }
  EXPECT_EQ(FormatFixed(8000, 1000, 1, 4), " 8.0");
  EXPECT_EQ(FormatFixed(123456, 1000, 1, 4), "123.5");  // longer than the field: not cut
}

TEST(NumberFormats, OneDigitRuleAppendsZeroAfterATrailingSeparator) {
  RequireCLocaleSeparators();
  std::string text = "12.";
  EnsureDigitAfterSeparator(text);
  EXPECT_EQ(text, "12.0");
  text = "12.5";
  EnsureDigitAfterSeparator(text);
  EXPECT_EQ(text, "12.5");
}

TEST(DateTime, SecondsToTimeIsATimeOfDay) {
  const platform::TLocalDateTime time = DecodeDateTime(SecondsToTime(3725));
  EXPECT_EQ(time.Hour, 1);
  EXPECT_EQ(time.Minute, 2);
  EXPECT_EQ(time.Second, 5);
}

}  // namespace
