#include "platform/path_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::PathStyle;

TEST(PathParts, SplitAtTheStylesLastDelimiter) {
  struct Case {
    PathStyle style;
    const char* path;
    const char* directory;
    const char* name;
  };
  const Case kCases[] = {
      {PathStyle::Posix, "/music/a.mp3", "/music/", "a.mp3"},
      {PathStyle::Posix, "/music/", "/music/", ""},
      {PathStyle::Posix, "a.mp3", "", "a.mp3"},
      {PathStyle::Posix, "/x/c:d.mp3", "/x/", "c:d.mp3"},  // ':' is a plain character
      {PathStyle::Posix, "a\\b", "", "a\\b"},
      {PathStyle::Windows, "C:\\MUSIC\\a.mp3", "C:\\MUSIC\\", "a.mp3"},
      {PathStyle::Windows, "C:a.mp3", "C:", "a.mp3"},
      {PathStyle::Windows, "C:\\x:y", "C:\\x:", "y"},
      {PathStyle::Windows, "a/b", "", "a/b"},
      {PathStyle::Windows, "", "", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(platform::DirectoryPart(c.path, c.style), c.directory);
    EXPECT_EQ(platform::NamePart(c.path, c.style), c.name);
  }
}

TEST(LexicalFullPath, PosixResolvesAsTextAlone) {
  struct Case {
    const char* name;
    const char* current;
    const char* full;
  };
  const Case kCases[] = {
      {"*.mp3", "/home/u", "/home/u/*.mp3"},
      {"a.mp3", "/", "/a.mp3"},
      {"/x/./y//z", "/home/u", "/x/y/z"},
      {"../a", "/home/u", "/home/a"},
      {"../../../../a", "/home/u", "/a"},
      {"/../a", "/home/u", "/a"},
      {"sub/", "/home/u", "/home/u/sub/"},  // trailing separator kept
      {"sub//", "/home/u", "/home/u/sub/"},
      {"/", "/home/u", "/"},
      {".", "/home/u", "/home/u"},
      {"x/..", "/home/u", "/home/u"},
      {"", "/home/u", "/home/u"},
      {"c:x", "/home/u", "/home/u/c:x"},
      {"a/./b", "/home//u/", "/home/u/a/b"},
      // Without a known current directory the name stays relative.
      {"a/../../b", "", "../b"},
      {"a/..", "", "."},
      {"/a", "", "/a"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.name) + " in " + c.current);
    EXPECT_EQ(platform::LexicalFullPath(c.name, c.current, PathStyle::Posix, 4095), c.full);
  }
}

TEST(LexicalFullPath, WindowsHandlesDrivesAndRoots) {
  struct Case {
    const char* name;
    const char* full;
  };
  const Case kCases[] = {
      {"*.mp3", "C:\\MUSIC\\*.mp3"},
      {"\\x\\y", "C:\\x\\y"},           // the current drive's root
      {"D:\\a\\..\\b", "D:\\b"},
      {"c:x", "c:\\MUSIC\\x"},          // the current directory of that drive
      {"D:x", "D:\\x"},
      {"D:", "D:\\"},
      {"..\\..\\..", "C:\\"},
      {"sub\\", "C:\\MUSIC\\sub\\"},
      {"a/b", "C:\\MUSIC\\a\\b"},
      {"\\\\srv\\share\\a\\..\\..\\b", "\\\\srv\\share\\b"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(platform::LexicalFullPath(c.name, "C:\\MUSIC", PathStyle::Windows, 255), c.full);
  }
}

TEST(LexicalFullPath, CutsToCapacity) {
  EXPECT_EQ(platform::LexicalFullPath("abcdef", "/xy", PathStyle::Posix, 6), "/xy/ab");
  EXPECT_EQ(platform::LexicalFullPath("abcdef", "C:\\", PathStyle::Windows, 5), "C:\\ab");
}

TEST(MatchesMask, FollowsDosWildcards) {
  struct Case {
    const char* name;
    const char* mask;
    bool matches;
  };
  const Case kCases[] = {
      {"song.mp3", "*.mp3", true},
      {"SONG.MP3", "*.mp3", true},  // ASCII case is ignored
      {"song.mp3x", "*.mp3", false},
      {"x.mp3.bak", "*.mp3", false},
      {"a.b.mp3", "*.mp3", true},
      {"song", "*.*", true},  // also a name without a dot
      {".hidden", "*.*", true},
      {"song", "song.*", true},  // ".*" also takes the name without extension
      {"song.mp3", "song.*", true},
      {"songs", "song.*", false},
      {"a", "?", true},
      {"ab", "?", false},
      {"abc", "a?c", true},
      {"ac", "a*c", true},
      {"abcbc", "a*bc", true},
      {"abcb", "a*bc", false},
      {"anything", "*", true},
      {"a", "", false},
      {"\xC3\xA9.mp3", "\xC3\x89.mp3", false},  // no case folding beyond ASCII
      {"\xC3\xA9.mp3", "?\xA9.MP3", true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.name) + " ~ " + c.mask);
    EXPECT_EQ(platform::MatchesMask(c.name, c.mask), c.matches);
  }
}

TEST(MatchesMask, ManyStarsOnALongNameStayCheap) {
  // A backtracking matcher takes exponential time here and never returns.
  const std::string name(4000, 'a');
  EXPECT_FALSE(platform::MatchesMask(name, "*a*a*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(platform::MatchesMask(name + "b", "*a*a*a*a*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
