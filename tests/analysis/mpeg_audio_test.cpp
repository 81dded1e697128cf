#include "mpegaudio/analysis/mpeg_audio.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/support/mpeg_fixtures.h"
#include "tests/support/temp_dir.h"

namespace {

using fixtures::Titled;


TAudioInfo ValidRecord() {
  TAudioInfo info;
  info.FileSize = 6;
  info.Version = 1;
  info.Layer = 3;
  info.FileDate = 1;
  info.BitRate = 128;
  info.SampleRate = 44100;
  return info;
}

TEST(TMPEGAudio, NewObjectIsEmptyWithDefaults) {
  TMPEGAudio audio;
  EXPECT_FALSE(audio.HasTag());
  EXPECT_FALSE(audio.IsValid());
  EXPECT_EQ(audio.GetArtist(), "Unknown Artist");
  EXPECT_EQ(audio.GetTitle(), "Unknown Title");
  EXPECT_EQ(audio.Info.Genre, 0);
  EXPECT_TRUE(audio.Info.TagId.empty());
  EXPECT_TRUE(audio.AutoLoad);
  EXPECT_EQ(audio.ScanLimit, 0);
  EXPECT_EQ(audio.HeaderPos, 0);
  EXPECT_EQ(audio.OnLoadError, nullptr);
  EXPECT_TRUE(audio.MacroResult.empty());
}

TEST(TMPEGAudio, ResetGivesTheNoTagValues) {
  TMPEGAudio audio;
  audio.Info = ValidRecord();
  audio.Info.FileName = "/x/y.mp3";
  audio.HeaderPos = 77;
  audio.Reset();
  EXPECT_EQ(audio.Info.TagId.Str(), "BAD");
  EXPECT_EQ(audio.Info.Title.Str(), "[notag]");
  EXPECT_EQ(audio.Info.Artist.Str(), "[notag]");
  EXPECT_EQ(audio.Info.Album.Str(), "[notag]");
  EXPECT_EQ(audio.Info.Comment.Str(), "[notag]");
  EXPECT_EQ(audio.Info.Year.Str(), "    ");
  EXPECT_EQ(audio.Info.Genre, 255);
  EXPECT_EQ(audio.Info.FileSize, 0);
  EXPECT_EQ(audio.Info.BitRate, 0);
  EXPECT_TRUE(audio.Info.FileName.empty());
  EXPECT_EQ(audio.HeaderPos, 77);
  EXPECT_FALSE(audio.HasTag());
  EXPECT_FALSE(audio.IsValid());
  EXPECT_EQ(audio.GetGenreName(), "Unknown");
}

TEST(TMPEGAudio, ArtistAndTitleFallBackToDefaultsOnlyWithoutTag) {
  TMPEGAudio audio;
  audio.Reset();
  audio.Info.Title = "song.mp3";
  EXPECT_EQ(audio.GetTitle(), "Unknown Title");
  audio.DefaultTitle = "";
  EXPECT_EQ(audio.GetTitle(), "song.mp3");
  audio.DefaultArtist = "";
  EXPECT_EQ(audio.GetArtist(), "[notag]");

  audio.DefaultArtist = "Unknown Artist";
  audio.Info.TagId = "TAG";
  audio.Info.Artist = "";
  EXPECT_EQ(audio.GetArtist(), "");
  audio.Info.TagId = "TAGX";  // cut to "TAG"
  EXPECT_TRUE(audio.HasTag());
  audio.Info.TagId = "TA";
  EXPECT_FALSE(audio.HasTag());
}

TEST(IsValidInfo, NeedsEveryCondition) {
  EXPECT_TRUE(IsValidInfo(ValidRecord()));
  TAudioInfo vbr = ValidRecord();
  vbr.BitRate = -1;
  EXPECT_TRUE(IsValidInfo(vbr));
  struct Case {
    const char* what;
    void (*spoil)(TAudioInfo&);
  };
  const Case kCases[] = {
      {"size 5", [](TAudioInfo& i) { i.FileSize = 5; }},
      {"no version", [](TAudioInfo& i) { i.Version = 0; }},
      {"no layer", [](TAudioInfo& i) { i.Layer = 0; }},
      {"no date", [](TAudioInfo& i) { i.FileDate = 0; }},
      {"no bit rate", [](TAudioInfo& i) { i.BitRate = 0; }},
      {"bit rate -2", [](TAudioInfo& i) { i.BitRate = -2; }},
      {"no sample rate", [](TAudioInfo& i) { i.SampleRate = 0; }},
  };
  for (const Case& c : kCases) {
    TAudioInfo info = ValidRecord();
    c.spoil(info);
    EXPECT_FALSE(IsValidInfo(info)) << c.what;
  }
}

TEST(TMPEGAudio, SetFileNameKeepsTheCapacityAndAnalysesOnlyWithAutoLoad) {
  fixtures::TempDir dir;
  const std::string path = (dir.path() / "song.mp3").string();
  fixtures::WriteFile(path, fixtures::TaggedFile(Titled("Song", "Band")));

  TMPEGAudio audio;
  audio.SetFileName(path);
  ASSERT_TRUE(audio.HasTag());
  ASSERT_TRUE(audio.IsValid());

  audio.AutoLoad = false;
  const std::string longName(platform::kMaxPathLength + 45, 'n');
  audio.SetFileName(longName);
  EXPECT_EQ(audio.GetFileName(), longName.substr(0, platform::kMaxPathLength));
  EXPECT_TRUE(audio.HasTag());
  EXPECT_TRUE(audio.IsValid());
  EXPECT_EQ(audio.GetArtist(), "Band");
}

std::string gRedirectTo;
int gHookCalls = 0;

std::uint16_t RetryOnceThenAccept(TAudioInfo&) { return ++gHookCalls == 1 ? 4 : 0; }
std::uint16_t AnswerSeven(TAudioInfo&) {
  ++gHookCalls;
  return 7;
}
std::uint16_t RedirectOnce(TAudioInfo& info) {
  if (++gHookCalls > 1) return 0;
  info.FileName = gRedirectTo;
  return 4;
}

TEST(TMPEGAudio, HookAnswersReplaceTheStatusAndFourAttemptsAgain) {
  fixtures::TempDir dir;
  const std::string missing = (dir.path() / "missing.mp3").string();
  TMPEGAudio audio;
  audio.AutoLoad = false;

  gHookCalls = 0;
  audio.OnLoadError = RetryOnceThenAccept;
  audio.SetFileName(missing);
  EXPECT_EQ(audio.Analyse(), 0);
  EXPECT_EQ(gHookCalls, 2);

  gHookCalls = 0;
  audio.OnLoadError = AnswerSeven;
  audio.SetFileName(missing);
  EXPECT_EQ(audio.Analyse(), 7);
  EXPECT_EQ(gHookCalls, 1);

  // The second attempt opens the name the hook left, without a reset.
  gRedirectTo = (dir.path() / "real.mp3").string();
  fixtures::WriteFile(gRedirectTo, fixtures::TaggedFile(Titled("Found")));
  gHookCalls = 0;
  audio.OnLoadError = RedirectOnce;
  audio.SetFileName(missing);
  EXPECT_EQ(audio.Analyse(), 0);
  EXPECT_EQ(gHookCalls, 1);
  EXPECT_EQ(audio.Info.Title.Str(), "Found");
  EXPECT_EQ(audio.GetFileName(), gRedirectTo);

  // A hook is not called after a successful attempt.
  gHookCalls = 0;
  audio.OnLoadError = AnswerSeven;
  audio.SetFileName(gRedirectTo);
  EXPECT_EQ(audio.Analyse(), 0);
  EXPECT_EQ(gHookCalls, 0);
}

TEST(TMPEGAudio, FileDateTimeCountsDaysSince1899) {
  struct Case {
    std::int32_t fileDate;
    double days;
  };
  const Case kCases[] = {
      {0, 0},
      {-1, 0},
      {fixtures::PackDos(1980, 1, 1, 0, 0, 0), 29221},
      {fixtures::PackDos(1999, 12, 31, 23, 59, 58), 36525 + (23 * 3600 + 59 * 60 + 58) / 86400.0},
      {fixtures::PackDos(2000, 2, 29, 12, 0, 0), 36585.5},
      {fixtures::PackDos(2001, 2, 29, 12, 0, 0), 0},  // no leap day
      {fixtures::PackDos(2001, 4, 31, 0, 0, 0), 0},
      {fixtures::PackDos(2001, 13, 1, 0, 0, 0), 0},
      {fixtures::PackDos(2001, 0, 1, 0, 0, 0), 0},
      {fixtures::PackDos(2001, 1, 0, 0, 0, 0), 0},
      {fixtures::PackDos(2001, 1, 1, 24, 0, 0), 0},
      {fixtures::PackDos(2001, 1, 1, 0, 60, 0), 0},
      {fixtures::PackDos(2001, 1, 1, 0, 0, 60), 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.fileDate);
    TMPEGAudio audio;
    audio.Info.FileDate = c.fileDate;
    EXPECT_DOUBLE_EQ(audio.GetFileDateTime(), c.days);
  }
}

TEST(TMPEGAudio, NameQueriesReadTheRecord) {
  TMPEGAudio audio;
  audio.Info.Genre = 125;
  EXPECT_EQ(audio.GetGenreName(), "Dance Hall");
  audio.Info.Genre = 126;
  EXPECT_EQ(audio.GetGenreName(), "Unknown");
  audio.Info.Mode = 3;
  audio.Info.Layer = 2;
  EXPECT_EQ(audio.GetModeName(), "Single-Channel");
  EXPECT_EQ(audio.GetLayerName(), "II");
  audio.Info.ErrorProtection = 1;
  EXPECT_EQ(audio.GetErrorProtectionText("*", " "), "*");
  EXPECT_EQ(audio.GetCopyrightText("Yes", "No"), "No");
  audio.Info.Original = 1;
  EXPECT_EQ(audio.GetOriginalText("Yes", "No"), "Yes");
}

TEST(TMPEGAudio, ShortFileNameIsTheShortFormOrTheErrorText) {
  TMPEGAudio audio;
  audio.Info.FileName = "/no/such/dir/file.mp3";
  std::string expected;
  if (!platform::ShortPathName(audio.Info.FileName.View(), expected)) {
    expected = "Error converting long filename to short.";
  }
  EXPECT_EQ(audio.GetShortFileName(), expected);
  EXPECT_FALSE(audio.GetShortFileName().empty());
}

TEST(TMPEGAudio, MacroResultIsRefreshedByResetAndCompletedScansOnly) {
  TMPEGAudio audio;
  audio.Reset();
  EXPECT_TRUE(audio.MacroResult.empty());
  audio.MacroText = "plain text";
  EXPECT_TRUE(audio.MacroResult.empty());
  audio.Reset();
  EXPECT_EQ(audio.MacroResult, audio.ExpandMacro("plain text"));
  EXPECT_EQ(audio.ExpandMacro("no items here"), "no items here");
  audio.MacroText.clear();
  audio.Reset();
  EXPECT_TRUE(audio.MacroResult.empty());
}

}  // namespace
