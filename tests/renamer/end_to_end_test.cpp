// Runs the built program over temporary folders and compares its exact
// report, exit code and the file names it leaves behind.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/support/mpeg_fixtures.h"
#include "tests/support/run_process.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using fixtures::Tag;

const std::string kBanner =
    "Norvel 1.0 - renames MPEG audio files by their ID3v1 tags\n"
    "Free software, provided as is without warranty: keep a backup of your files.\n"
    "Project home: https://norvel.example.org/\n";

const std::string kHelp =
    "This Windows95/NT application renames MPEG Audio files according to the\n"
    "tag contents. You may set renaming rules.\n"
    "\n"
    "Syntax: norvel <filename> [-S] [-U] [-R] [-N] [-M<macro>] [-?] [-H]\n"
    "\n"
    " <filename> Path and filename that should be renamed. DOS wildcards allowed.\n"
    " -S         Also search all subdirectories for matching filenames\n"
    " -U         Replace every space to underscore in new file name\n"
    " -R         Remove spaces from new file name\n"
    " -N         Preview the new names without renaming anything\n"
    " -M<macro>  Use macro to create output file name (see zentrax.txt)\n"
    " -? or -H   This help\n"
    "Characters which are not allowed in file names will be always replaced\n"
    "with '#' (hash) in output file name. Be careful about using macros.\n"
    "You may create lot of mess.\n"
    "\n"
    "Norvel uses Corvane, the library for MPEG audio file support. \n";

class EndToEnd : public testing::Test {
 protected:
  fs::path dir() const { return fs::canonical(temp_.path()); }
  std::string D() const { return dir().string() + "/"; }

  fixtures::ProcessResult Run(const std::vector<std::string>& arguments) const {
    return fixtures::RunProcess(NORVEL_EXECUTABLE, arguments, dir());
  }

  void Tagged(const fs::path& name, const std::string& artist, const std::string& title) const {
    Tag tag;
    tag.artist = artist;
    tag.title = title;
    fixtures::WriteFile(dir() / name, fixtures::TaggedFile(tag));
  }
  void Untagged(const fs::path& name) const {
    fixtures::WriteFile(dir() / name, fixtures::Frames(fixtures::HeaderSpec{}, 8));
  }
  void Text(const fs::path& name) const {
    fixtures::WriteFile(dir() / name, fixtures::Bytes(200, 'x'));
  }

  // Every file name below the folder, relative, sorted.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir())) {
      names.insert(fs::relative(entry.path(), dir()).string());
    }
    return names;
  }

 private:
  fixtures::TempDir temp_;
};

TEST_F(EndToEnd, NoArgumentShowsHelpAndFails) {
  const auto result = Run({});
  EXPECT_EQ(result.output, kBanner + kHelp + "\n\n");
  EXPECT_EQ(result.exitCode, 1);
}

TEST_F(EndToEnd, HelpSwitchShowsOnlyHelpAndRenamesNothing) {
  Tagged("a.mp3", "Artist", "Title");
  const auto result = Run({"*.mp3", "-?"});
  EXPECT_EQ(result.output, kBanner + kHelp + "\n\n\n");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(Names(), std::set<std::string>{"a.mp3"});
}

TEST_F(EndToEnd, CommandLineErrors) {
  struct Case {
    std::vector<std::string> arguments;
    std::string output;
    int exitCode;
  };
  const std::string hint =
      "Hint: quote the file mask so that the shell does not expand it, e.g. norvel '*.mp3'\n";
  const Case cases[] = {
      {{"a.mp3", "b.mp3", "-?"}, "Unexpected parameter: b.mp3\n" + hint, 1},
      {{"-", "a.mp3"}, "Wrong parameter: -\n", 1},
      {{"-Mx", "-my", "a.mp3"}, "Too many macros!\n", 1},
      {{"-S", "-song.mp3", "-X"}, "FileMask missing\n\n", 0},
  };
  for (const Case& c : cases) {
    const auto result = Run(c.arguments);
    EXPECT_EQ(result.output, kBanner + c.output) << c.arguments[0];
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments[0];
  }
}

TEST_F(EndToEnd, NothingMatches) {
  Text("notes.txt");
  const auto result = Run({"*.mp3"});
  EXPECT_EQ(result.output, kBanner + "Loading File Mask: " + D() + "*.mp3\n\nFile not found.\n\n");
  EXPECT_EQ(result.exitCode, 0);
}

TEST_F(EndToEnd, ReportsTaggedUntaggedAndNonAudioFiles) {
  Tagged("a.mp3", "The Band", "Song");
  Untagged("b.mp3");
  Text("c.mp3");
  fs::create_directory(dir() / "d.mp3");
  const auto result = Run({D() + "*.mp3"});
  EXPECT_EQ(result.output, kBanner + "Loading File Mask: " + D() + "*.mp3\n\n" +
                               D() + "a.mp3\n => " + D() + "THE BAND - Song.mp3\n" +
                               D() + "b.mp3 ... NO MPEG HEADER\n" +
                               D() + "c.mp3 ... NOT MPEG AUDIO\n" +
                               D() + "d.mp3 ... NOT MPEG AUDIO\n\n");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(Names(), (std::set<std::string>{"THE BAND - Song.mp3", "b.mp3", "c.mp3", "d.mp3"}));
}

TEST_F(EndToEnd, RelativeMaskIsShownInFullAndOrderIgnoresCase) {
  Tagged("b.MP3", "B", "Two");
  Tagged("A.mp3", "A", "One");
  const auto result = Run({"*.mp3", "-R"});
  EXPECT_EQ(result.output, kBanner + "Loading File Mask: " + D() + "*.mp3\nRemoveSpaces on\n\n" +
                               D() + "A.mp3\n => " + D() + "A-One.mp3\n" +
                               D() + "b.MP3\n => " + D() + "B-Two.mp3\n\n");
}

TEST_F(EndToEnd, SearchesSubdirectoriesDepthFirstButNotHiddenOnes) {
  fs::create_directories(dir() / "B" / "C");
  fs::create_directories(dir() / ".hidden");
  fs::create_directories(dir() / "D");
  Tagged("a1.mp3", "A", "One");
  Tagged("B/b1.mp3", "B", "Two");
  Tagged("B/C/c1.mp3", "C", "Three");
  Tagged("D/d1.mp3", "D", "Four");
  Tagged(".hidden/h.mp3", "H", "Hidden");
  const auto result = Run({"-s", "-u", D() + "*.mp3"});
  EXPECT_EQ(result.output,
            kBanner + "Loading File Mask: " + D() + "*.mp3\nSearchSubdirs on\nSpaceToUnderscore on\n\n" +
                D() + "a1.mp3\n => " + D() + "A_-_One.mp3\n" +
                D() + "B/b1.mp3\n => " + D() + "B/B_-_Two.mp3\n" +
                D() + "B/C/c1.mp3\n => " + D() + "B/C/C_-_Three.mp3\n" +
                D() + "D/d1.mp3\n => " + D() + "D/D_-_Four.mp3\n\n");
  EXPECT_TRUE(fs::exists(dir() / ".hidden" / "h.mp3"));
}

TEST_F(EndToEnd, MaskEndingInSeparatorListsWholeTreeOnlyWithSubdirectories) {
  fs::create_directories(dir() / "sub");
  Untagged("sub/x.bin");
  EXPECT_EQ(Run({D()}).output,
            kBanner + "Loading File Mask: " + D() + "\n\nFile not found.\n\n");
  EXPECT_EQ(Run({D(), "-S"}).output,
            kBanner + "Loading File Mask: " + D() + "\nSearchSubdirs on\n\n" + D() +
                "sub/x.bin ... NO MPEG HEADER\n\n");
}

TEST_F(EndToEnd, ForbiddenCharactersBecomeHash) {
  Tagged("a.mp3", "AC/DC", "What? Rock & Roll: \"Live\" *|\\");
  const auto result = Run({"*.mp3"});
  EXPECT_NE(result.output.find(" => " + D() + "AC#DC - What# Rock # Roll# #Live# ###.mp3\n"),
            std::string::npos)
      << result.output;
}

TEST_F(EndToEnd, ExistingTargetIsLeftUntouchedAndSecondRunIsQuiet) {
  Tagged("a.mp3", "Band", "Song");
  Tagged("b.mp3", "Band", "Song");
  auto result = Run({"*.mp3"});
  EXPECT_EQ(result.output, kBanner + "Loading File Mask: " + D() + "*.mp3\n\n" + D() +
                               "a.mp3\n => " + D() + "BAND - Song.mp3\n" + D() + "b.mp3\n => " +
                               D() + "BAND - Song.mp3 (ERROR)\n\n");
  EXPECT_EQ(Names(), (std::set<std::string>{"BAND - Song.mp3", "b.mp3"}));

  // A file that already carries its name moves onto itself: no error.
  result = Run({"BAND*.mp3"});
  EXPECT_EQ(result.output, kBanner + "Loading File Mask: " + D() + "BAND*.mp3\n\n" + D() +
                               "BAND - Song.mp3\n => " + D() + "BAND - Song.mp3\n\n");
}

TEST_F(EndToEnd, LatinOneTagTextBecomesUtf8FileName) {
  Tagged("a.mp3", "caf\xE9", "Cr\xE8me");
  const auto result = Run({"*.mp3"});
  const std::string expected = "CAF\xC3\xA9 - Cr\xC3\xA8me.mp3";
  EXPECT_NE(result.output.find(" => " + D() + expected + "\n"), std::string::npos);
  EXPECT_TRUE(fs::exists(dir() / expected));
}

TEST_F(EndToEnd, FifoIsNotAudioAndDoesNotHang) {
  ASSERT_EQ(mkfifo((dir() / "pipe.mp3").c_str(), 0600), 0);
  const auto result = Run({"*.mp3"});
  EXPECT_EQ(result.output, kBanner + "Loading File Mask: " + D() + "*.mp3\n\n" + D() +
                               "pipe.mp3 ... NOT MPEG AUDIO\n\n");
}

TEST_F(EndToEnd, SymbolicLinkLoopIsNotFollowed) {
  fs::create_directories(dir() / "sub");
  fs::create_directory_symlink(dir(), dir() / "sub" / "loop");
  Untagged("sub/a.mp3");
  const auto result = Run({"-S", "*.mp3"});
  EXPECT_EQ(result.output, kBanner + "Loading File Mask: " + D() + "*.mp3\nSearchSubdirs on\n\n" +
                               D() + "sub/a.mp3 ... NO MPEG HEADER\n\n");
}

}  // namespace
