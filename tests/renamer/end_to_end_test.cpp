// Runs the built program over temporary folders and compares its exact
// report, exit code and the file names it leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/mpeg_fixtures.h"
#include "tests/support/run_process.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using fixtures::Tag;

// The expectations are written with '\n', '/' and '-'; these give the
// native line end, directory separator and switch character.
constexpr bool kWindows = platform::kNativePathStyle == platform::PathStyle::Windows;

std::string Native(std::string text, char from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, 1, to);
  }
  return text;
}
// The report as this build writes it: its own line ends.
std::string Lines(const std::string& text) { return Native(text, '\n', platform::kLineEnd); }
// A path below the test folder with this build's separator.
std::string P(const std::string& path) { return Native(path, '/', kWindows ? "\\" : "/"); }
// A switch with this build's switch character ('-' works everywhere).
std::string Sw(const std::string& text) { return (kWindows ? "/" : "-") + text; }

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

const std::string kWindowsHelp =
    "This Windows95/NT application renames MPEG Audio files according to the\n"
    "tag contents. You may set renaming rules.\n"
    "\n"
    "Syntax: NORVEL <filename> [/S] [/U] [/R] [/N] [/M<macro>] [/?] [/H]\n"
    "\n"
    " <filename> Path and filename that should be renamed. DOS wildcards allowed.\n"
    " /S         Also search all subdirectories for matching filenames\n"
    " /U         Replace every space to underscore in new file name\n"
    " /R         Remove spaces from new file name\n"
    " /N         Preview the new names without renaming anything\n"
    " /M<macro>  Use macro to create output file name (see zentrax.txt)\n"
    " /? or /H   This help\n"
    "Characters which are not allowed in file names will be always replaced\n"
    "with '#' (hash) in output file name. Be careful about using macros.\n"
    "You may create lot of mess.\n"
    "\n"
    "Norvel uses Corvane, the library for MPEG audio file support. \n";

const std::string& Help() { return kWindows ? kWindowsHelp : kHelp; }

class EndToEnd : public testing::Test {
 protected:
  fs::path dir() const { return fs::canonical(temp_.path()); }
  std::string D() const { return dir().string() + P("/"); }

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
    fixtures::WriteFile(dir() / name, fixtures::Frames(fixtures::HeaderFields{}, 8));
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
  EXPECT_EQ(result.output, Lines(kBanner + Help() + "\n\n"));
  EXPECT_EQ(result.exitCode, 1);
}

TEST_F(EndToEnd, HelpSwitchShowsOnlyHelpAndRenamesNothing) {
  Tagged("a.mp3", "Artist", "Title");
  const auto result = Run({"*.mp3", Sw("?")});
  EXPECT_EQ(result.output, Lines(kBanner + Help() + "\n\n\n"));
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(Names(), std::set<std::string>{"a.mp3"});
}

TEST_F(EndToEnd, CommandLineErrors) {
  struct Case {
    std::vector<std::string> arguments;
    std::string output;
    int exitCode;
  };
  // Where '/' begins paths, the usual cause is a mask the shell expanded.
  const std::string hint =
      kWindows ? ""
               : "Hint: quote the file mask so that the shell does not expand it, e.g. norvel '*.mp3'\n";
  const Case cases[] = {
      {{"a.mp3", "b.mp3", Sw("?")}, "Unexpected parameter: b.mp3\n" + hint, 1},
      {{Sw(""), "a.mp3"}, "Wrong parameter: " + Sw("") + "\n", 1},
      {{Sw("Mx"), "-my", "a.mp3"}, "Too many macros!\n", 1},
      {{Sw("S"), "-song.mp3", Sw("X")}, "FileMask missing\n\n", 0},
  };
  for (const Case& c : cases) {
    const auto result = Run(c.arguments);
    EXPECT_EQ(result.output, Lines(kBanner + c.output)) << c.arguments[0];
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments[0];
  }
}

TEST_F(EndToEnd, NothingMatches) {
  Text("notes.txt");
  const auto result = Run({"*.mp3"});
  EXPECT_EQ(result.output,
            Lines(kBanner + "Loading File Mask: " + D() + "*.mp3\n\nFile not found.\n\n"));
  EXPECT_EQ(result.exitCode, 0);
}

TEST_F(EndToEnd, ReportsTaggedUntaggedAndNonAudioFiles) {
  Tagged("a.mp3", "The Band", "Song");
  Untagged("b.mp3");
  Text("c.mp3");
  fs::create_directory(dir() / "d.mp3");
  const auto result = Run({D() + "*.mp3"});
  EXPECT_EQ(result.output, Lines(kBanner + "Loading File Mask: " + D() + "*.mp3\n\n" +
                                 D() + "a.mp3\n => " + D() + "THE BAND - Song.mp3\n" +
                                 D() + "b.mp3 ... NO MPEG HEADER\n" +
                                 D() + "c.mp3 ... NOT MPEG AUDIO\n" +
                                 D() + "d.mp3 ... NOT MPEG AUDIO\n\n"));
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(Names(), (std::set<std::string>{"THE BAND - Song.mp3", "b.mp3", "c.mp3", "d.mp3"}));
}

TEST_F(EndToEnd, RelativeMaskIsShownInFullAndOrderIgnoresCase) {
  Tagged("b.MP3", "B", "Two");
  Tagged("A.mp3", "A", "One");
  const auto result = Run({"*.mp3", Sw("R")});
  EXPECT_EQ(result.output,
            Lines(kBanner + "Loading File Mask: " + D() + "*.mp3\nRemoveSpaces on\n\n" +
                  D() + "A.mp3\n => " + D() + "A-One.mp3\n" +
                  D() + "b.MP3\n => " + D() + "B-Two.mp3\n\n"));
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
  // A dot does not hide a folder on Windows; the attribute does.
  fixtures::HideEntry(dir() / ".hidden");
  const auto result = Run({Sw("s"), "-u", D() + "*.mp3"});
  EXPECT_EQ(result.output,
            Lines(kBanner + "Loading File Mask: " + D() +
                  "*.mp3\nSearchSubdirs on\nSpaceToUnderscore on\n\n" +
                  D() + P("a1.mp3\n => ") + D() + "A_-_One.mp3\n" +
                  D() + P("B/b1.mp3\n => ") + D() + P("B/B_-_Two.mp3\n") +
                  D() + P("B/C/c1.mp3\n => ") + D() + P("B/C/C_-_Three.mp3\n") +
                  D() + P("D/d1.mp3\n => ") + D() + P("D/D_-_Four.mp3\n\n")));
  EXPECT_TRUE(fs::exists(dir() / ".hidden" / "h.mp3"));
}

TEST_F(EndToEnd, MaskEndingInSeparatorListsWholeTreeOnlyWithSubdirectories) {
  // The blank needs quotes, and on Windows the quoted folder ends in "\"".
  fs::create_directories(dir() / "My Music" / "sub");
  Untagged("My Music/sub/x.bin");
  const std::string mask = D() + P("My Music/");
  EXPECT_EQ(Run({mask}).output,
            Lines(kBanner + "Loading File Mask: " + mask + "\n\nFile not found.\n\n"));
  EXPECT_EQ(Run({mask, Sw("S")}).output,
            Lines(kBanner + "Loading File Mask: " + mask + "\nSearchSubdirs on\n\n" + mask +
                  P("sub/x.bin") + " ... NO MPEG HEADER\n\n"));
}

TEST_F(EndToEnd, ForbiddenCharactersBecomeHash) {
  Tagged("a.mp3", "AC/DC", "What? Rock & Roll: \"Live\" *|\\");
  const auto result = Run({"*.mp3"});
  EXPECT_NE(result.output.find(Lines(" => " + D() + "AC#DC - What# Rock # Roll# #Live# ###.mp3\n")),
            std::string::npos)
      << result.output;
}

TEST_F(EndToEnd, ExistingTargetIsLeftUntouchedAndSecondRunIsQuiet) {
  Tagged("a.mp3", "Band", "Song");
  Tagged("b.mp3", "Band", "Song");
  auto result = Run({"*.mp3"});
  EXPECT_EQ(result.output, Lines(kBanner + "Loading File Mask: " + D() + "*.mp3\n\n" + D() +
                                 "a.mp3\n => " + D() + "BAND - Song.mp3\n" + D() +
                                 "b.mp3\n => " + D() + "BAND - Song.mp3 (ERROR)\n\n"));
  EXPECT_EQ(Names(), (std::set<std::string>{"BAND - Song.mp3", "b.mp3"}));

  // A file that already carries its name moves onto itself: no error.
  result = Run({"BAND*.mp3"});
  EXPECT_EQ(result.output, Lines(kBanner + "Loading File Mask: " + D() + "BAND*.mp3\n\n" + D() +
                                 "BAND - Song.mp3\n => " + D() + "BAND - Song.mp3\n\n"));
}

TEST_F(EndToEnd, NameDifferingOnlyInCaseIsRenamed) {
  // The file system takes both names for one: the target "exists" as the
  // file itself, and the move must still set the new case.
  Tagged("band - song.mp3", "Band", "Song");
  const auto result = Run({"*.mp3"});
  EXPECT_EQ(result.output, Lines(kBanner + "Loading File Mask: " + D() + "*.mp3\n\n" + D() +
                                 "band - song.mp3\n => " + D() + "BAND - Song.mp3\n\n"));
  EXPECT_EQ(Names(), (std::set<std::string>{"BAND - Song.mp3"}));
}

TEST_F(EndToEnd, LatinOneTagTextBecomesUtf8FileName) {
  // Windows converts ANSI names itself.
  if (kWindows) GTEST_SKIP() << "names are re-encoded only on POSIX";
  Tagged("a.mp3", "caf\xE9", "Cr\xE8me");
  const auto result = Run({"*.mp3"});
  const std::string expected = "CAF\xC3\xA9 - Cr\xC3\xA8me.mp3";
  EXPECT_NE(result.output.find(" => " + D() + expected + "\n"), std::string::npos);
  EXPECT_TRUE(fs::exists(dir() / expected));
}

TEST_F(EndToEnd, FifoIsNotAudioAndDoesNotHang) {
  if (!fixtures::MakeFifo(dir() / "pipe.mp3")) GTEST_SKIP() << "no FIFOs on this system";
  const auto result = Run({"*.mp3"});
  EXPECT_EQ(result.output, kBanner + "Loading File Mask: " + D() + "*.mp3\n\n" + D() +
                               "pipe.mp3 ... NOT MPEG AUDIO\n\n");
}

TEST_F(EndToEnd, SymbolicLinkLoopIsNotFollowed) {
  // Making links on Windows needs a privilege; the platform tests cover them.
  if (kWindows) GTEST_SKIP() << "symbolic links are a POSIX case here";
  fs::create_directories(dir() / "sub");
  fs::create_directory_symlink(dir(), dir() / "sub" / "loop");
  Untagged("sub/a.mp3");
  const auto result = Run({"-S", "*.mp3"});
  EXPECT_EQ(result.output, kBanner + "Loading File Mask: " + D() + "*.mp3\nSearchSubdirs on\n\n" +
                               D() + "sub/a.mp3 ... NO MPEG HEADER\n\n");
}

TEST_F(EndToEnd, MacroNamesEachTaggedFile) {
  struct Case {
    std::string macro;  // as typed after the switch
    std::string name;   // the file's new name
  };
  const Case cases[] = {
      {"#A,T# - #T,T#.mp3", "The Band - Song.MP3"},
      {"#TR,R,2,0# #T,T#.mp3", "07 Song.MP3"},
      {"#XYZ#", "#XYZ#"},  // no such macro: the item as written
      {"#A#.mp3", "The Band" + std::string(22, ' ') + ".MP3"},  // default width 30
      {"#a,l,12,.,u#.mp3", "THE BAND.....MP3"},  // four fill dots, then ".MP3"
      {"#FC,R,5#", "#FC,R,5#"},                 // a list macro: never a list here
      {"#GAT,T#", "%GA,T% - %GT,T%"},           // templates hold '%' items
      {"#A,T#.mp3#", "The Band.MP3###ERROR!!! No end of item definition!###"},
  };
  Tag tag;
  tag.artist = "The Band";
  tag.title = "Song";
  tag.track = 7;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.macro);
    const std::string folder = "case" + std::to_string(i);
    fs::create_directory(dir() / folder);
    fixtures::WriteFile(dir() / folder / "a.mp3", fixtures::TaggedFile(tag));
    const auto result = Run({Sw("M") + c.macro, P(folder + "/*.mp3")});
    EXPECT_NE(result.output.find(Lines(" => " + D() + P(folder + "/") + c.name + "\n")),
              std::string::npos)
        << result.output;
    EXPECT_TRUE(fs::exists(dir() / folder / c.name));
  }
}

TEST_F(EndToEnd, MacroWithoutItemsNamesOnlyTheFirstFile) {
  Tagged("a.mp3", "A", "One");
  Tagged("b.mp3", "B", "Two");
  const auto result = Run({Sw("Mabc"), "*.mp3"});
  EXPECT_EQ(result.output, Lines(kBanner + "Loading File Mask: " + D() + "*.mp3\nRename Macro: ABC\n\n" +
                                 D() + "a.mp3\n => " + D() + "ABC\n" + D() + "b.mp3\n => " + D() +
                                 "ABC (ERROR)\n\n"));
  EXPECT_EQ(Names(), (std::set<std::string>{"ABC", "b.mp3"}));
}

TEST_F(EndToEnd, PreviewLineStandsBetweenTheSpaceOptionsAndTheMacro) {
  Tagged("a.mp3", "Band", "Song");
  const auto result = Run({Sw("m#A,T#.mp3"), Sw("n"), Sw("R"), Sw("U"), Sw("S"), "*.mp3"});
  EXPECT_EQ(result.output,
            Lines(kBanner + "Loading File Mask: " + D() + "*.mp3\nSearchSubdirs on\n" +
                  "SpaceToUnderscore on\nRemoveSpaces on\nPreview on: nothing is renamed\n" +
                  "Rename Macro: #A,T#.MP3\n\n" + D() + "a.mp3\n => " + D() + "Band.MP3\n\n"));
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(Names(), std::set<std::string>{"a.mp3"});
}

}  // namespace
