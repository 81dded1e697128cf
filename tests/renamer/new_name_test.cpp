#include "renamer/new_name.h"

#include <gtest/gtest.h>

namespace {

std::string Name(std::string_view artist, std::string_view title, bool removeSpaces = false,
                 bool spaceToUnderscore = false) {
  std::string name = DefaultName(artist, title);
  ApplySpaceOptions(name, removeSpaces, spaceToUnderscore);
  ReplaceForbiddenChars(name);
  return name;
}

TEST(NewName, DefaultNameAndSpaceOptions) {
  struct Case {
    const char* artist;
    const char* title;
    bool removeSpaces, spaceToUnderscore;
    const char* expected;
  };
  const Case cases[] = {
      {"The Band", "Song", false, false, "THE BAND - Song.mp3"},
      {"The Band", "Song", false, true, "THE_BAND_-_Song.mp3"},
      {"The Band", "Song", true, false, "THEBAND-Song.mp3"},
      {"The Band", "Song", true, true, "THEBAND-Song.mp3"},
      {"Artist", "", false, false, "ARTIST.mp3"},
      {"", "Title", false, false, "Title.mp3"},
      {"", "", false, false, ".mp3"},
      {"a  b", "c", true, false, "AB-c.mp3"},
      {"caf\xE9", "x", false, false, "CAF\xE9 - x.mp3"},  // only ASCII letters change
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Name(c.artist, c.title, c.removeSpaces, c.spaceToUnderscore), c.expected)
        << c.artist << "|" << c.title;
  }
}

TEST(NewName, ForbiddenCharactersBecomeHashAndNothingElseChanges) {
  std::string name = "Rock & Roll \"*/:<>?\\| \t\x7F\xE9!";
  ReplaceForbiddenChars(name);
  EXPECT_EQ(name, "Rock # Roll ######### \t\x7F\xE9!");
}

}  // namespace
