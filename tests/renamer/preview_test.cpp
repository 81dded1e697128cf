// A preview must print exactly the report of the real run and change
// nothing. Each case builds the same tree twice, previews one copy, renames
// the other, and compares.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/mpeg_fixtures.h"
#include "tests/support/run_process.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

void Tagged(const fs::path& file, const std::string& artist, const std::string& title,
            int track = 1) {
  fixtures::Tag tag;
  tag.artist = artist;
  tag.title = title;
  tag.track = track;
  fs::create_directories(file.parent_path());
  fixtures::WriteFile(file, fixtures::TaggedFile(tag));
}

void Text(const fs::path& file) {
  fs::create_directories(file.parent_path());
  fixtures::WriteFile(file, fixtures::Bytes(300, 'x'));
}

// Everything a preview must leave alone: names, kinds, contents, modes.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> snapshot;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    std::ostringstream facts;
    facts << static_cast<int>(entry.symlink_status().type()) << ' '
          << static_cast<int>(entry.symlink_status().permissions()) << ' ';
    if (entry.is_regular_file()) facts << std::ifstream(entry.path(), std::ios::binary).rdbuf();
    snapshot[fs::relative(entry.path(), root).string()] = facts.str();
  }
  return snapshot;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

struct Case {
  const char* name;
  std::function<void(const fs::path&)> build;
  std::vector<std::string> arguments;  // the mask is relative to the tree
};

const Case kCases[] = {
    {"two files want the same name",
     [](const fs::path& d) {
       Tagged(d / "a.mp3", "Band", "Song");
       Tagged(d / "b.mp3", "Band", "Song");
       Text(d / "c.mp3");
     },
     {"*.mp3"}},
    {"target exists already",
     [](const fs::path& d) {
       Text(d / "BAND - Song.mp3");
       Tagged(d / "x.mp3", "Band", "Song");
     },
     {"*.mp3"}},
    {"a file takes the name another has just left",
     [](const fs::path& d) {
       Tagged(d / "a.mp3", "", "z");  // a.mp3 -> z.mp3
       Tagged(d / "b.mp3", "", "a");  // b.mp3 -> a.mp3, free by then
       Tagged(d / "c.mp3", "", "d");  // c.mp3 -> d.mp3, which d.mp3 leaves later
       Tagged(d / "d.mp3", "", "y");
     },
     {"*.mp3"}},
    {"files already carry their names",
     [](const fs::path& d) {
       Tagged(d / "BAND - Song.mp3", "Band", "Song");
       Tagged(d / "Title.mp3", "", "Title");
     },
     {"*.mp3"}},
    {"a macro that expands to nothing",
     [](const fs::path& d) { Tagged(d / "a.mp3", "Band", "Song"); },
     {"-M#SOFTNEWLINE#", "*.mp3"}},
    {"a name longer than the file system allows",
     [](const fs::path& d) { Tagged(d / "a.mp3", "Band", "Song"); },
     {"-M#T,L,300,X#.mp3", "*.mp3"}},
    {"a directory the process may not write into",
     [](const fs::path& d) {
       Tagged(d / "locked" / "a.mp3", "Band", "Song");
       fs::permissions(d / "locked", fs::perms::owner_read | fs::perms::owner_exec);
     },
     {"-S", "*.mp3"}},
    {"nested folders with spaces removed and replaced",
     [](const fs::path& d) {
       Tagged(d / "one" / "a.mp3", "The Band", "First Song");
       Tagged(d / "one" / "two" / "b.mp3", "The Band", "First Song");
       Tagged(d / "three" / "c.mp3", "Other  Band", "Song & Dance");
       Text(d / "three" / "d.mp3");
     },
     {"-S", "-R", "-U", "*.mp3"}},
    {"a naming macro",
     [](const fs::path& d) {
       Tagged(d / "a.mp3", "The Band", "Song", 7);
       Tagged(d / "b.mp3", "The Band", "Song", 8);
       Tagged(d / "c.mp3", "The Band", "Song", 7);
     },
     {"-M#TR,R,2,0# #A,T# - #T,T#.mp3", "*.mp3"}},
};

TEST(Preview, ReportsExactlyWhatTheRealRunDoesAndChangesNothing) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    fixtures::TempDir temp;
    const fs::path root = fs::canonical(temp.path());
    const fs::path previewed = root / "previewed";
    const fs::path renamed = root / "renamed";
    c.build(previewed);
    c.build(renamed);
    const auto before = Snapshot(previewed);

    std::vector<std::string> previewArguments = c.arguments;
    previewArguments.insert(previewArguments.begin(), "-N");
    const auto preview = fixtures::RunProcess(NORVEL_EXECUTABLE, previewArguments, previewed);
    const auto real = fixtures::RunProcess(NORVEL_EXECUTABLE, c.arguments, renamed);

    const std::string previewLine =
        "Preview on: nothing is renamed" + std::string(platform::kLineEnd);
    ASSERT_NE(preview.output.find(previewLine), std::string::npos) << preview.output;
    EXPECT_EQ(Replace(Replace(preview.output, previewLine, ""), previewed.string(), renamed.string()),
              real.output);
    EXPECT_EQ(preview.exitCode, real.exitCode);
    EXPECT_EQ(Snapshot(previewed), before);
    // The real run must have done something for the comparison to mean much.
    EXPECT_NE(real.output.find(" => "), std::string::npos);
  }
}

}  // namespace
