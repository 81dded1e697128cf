#include "mpegaudio/builtins/file_name_guess.h"

#include <gtest/gtest.h>

#include <string>

#include "mpegaudio/analysis/id3v1_tag.h"
#include "mpegaudio/analysis/mpeg_audio.h"
#include "tests/support/native_path.h"

namespace {

// The value as the expander uses it: stripped.
std::string Stripped(void (*func)(const TMPEGAudio&, std::string&), const TMPEGAudio& audio) {
  std::string value = "stale";
  func(audio, value);
  return std::string(Strip(value));
}

TEST(FileNameGuess, SplitsUntaggedNamesAtTheFirstHyphen) {
  struct Case {
    const char* name;
    const char* artist;
    const char* title;
    const char* guessedArtist;
    const char* guessedTitle;
  };
  constexpr Case kCases[] = {
      {"Artist - Title.mp3", "Artist", "Title", "Artist", "Title"},
      {"Artist-Title.mp3", "Artist", "Title", "Artist", "Title"},
      {"A - B - C.mp3", "A", "B - C", "A", "B - C"},
      {"Artist - Some.Title.mp3", "Artist", "Some.Title", "Artist", "Some.Title"},
      {"Artist - Title", "Artist", "Title", "Artist", "Title"},
      {"Song.mp3", "", "", "Unknown Artist", "Unknown Title"},
      {"-Title.mp3", "", "Title", "Unknown Artist", "Title"},
      {"Artist - .mp3", "Artist", "", "Artist", "Unknown Title"},
      {"Artist - Title .mp3", "Artist", "Title", "Artist", "Title"},
      // A dash of another code is no separator.
      {"Artist \xE2\x80\x93 Title.mp3", "", "", "Unknown Artist", "Unknown Title"},
      {"/music/Rock-Pop/Song.mp3", "", "", "Unknown Artist", "Unknown Title"},
      {"/music/Rock-Pop/Artist - Title.mp3", "Artist", "Title", "Artist", "Title"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TMPEGAudio audio;
    audio.Info.FileName = fixtures::NativePath(c.name);
    EXPECT_EQ(Stripped(ExtractedArtist, audio), c.artist);
    EXPECT_EQ(Stripped(ExtractedTitle, audio), c.title);
    EXPECT_EQ(Stripped(GuessedArtist, audio), c.guessedArtist);
    EXPECT_EQ(Stripped(GuessedTitle, audio), c.guessedTitle);
  }
}

TEST(FileNameGuess, CutsTheExtensionAfterStrippingSoSpacesBeforeItStay) {
  TMPEGAudio audio;
  audio.Info.FileName = "Artist -  Title .mp3";
  std::string title;
  ExtractedTitle(audio, title);
  EXPECT_EQ(title, "Title ");
  GuessedTitle(audio, title);
  EXPECT_EQ(title, "Title ");
}

TEST(FileNameGuess, TaggedFileGivesTheTagEvenWhenEmpty) {
  TMPEGAudio audio;
  audio.Info.FileName = "/music/Other - Name.mp3";
  audio.Info.TagId = "TAG";
  audio.Info.Artist = "Tag Artist";
  audio.Info.Title = "";
  EXPECT_EQ(Stripped(GuessedArtist, audio), "Tag Artist");
  EXPECT_EQ(Stripped(GuessedTitle, audio), "");
}

TEST(FileNameGuess, EmptyDefaultsGiveEmptyGuesses) {
  TMPEGAudio audio;
  audio.Info.FileName = "Song.mp3";
  audio.DefaultArtist = "";
  audio.DefaultTitle = "";
  EXPECT_EQ(Stripped(GuessedArtist, audio), "");
  EXPECT_EQ(Stripped(GuessedTitle, audio), "");
}

}  // namespace
