#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/mpeg_fixtures.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace platform;

using fixtures::ReadWholeFile;
using fixtures::WriteFile;

time_t LocalSeconds(int year, int month, int day, int hour, int minute, int second) {
  struct tm local {};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return mktime(&local);
}

void SetModified(const fs::path& path, time_t seconds) {
  const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

// 3 February 2001, 04:05:06 in packed DOS form.
constexpr std::int32_t kSampleDosTime =
    (21 << 25) | (2 << 21) | (3 << 16) | (4 << 11) | (5 << 5) | (6 / 2);

struct TListed {
  std::string Name;
  std::uint32_t Attr;
  bool operator==(const TListed&) const = default;
};

void PrintTo(const TListed& entry, std::ostream* out) {
  *out << entry.Name << ":" << std::hex << entry.Attr;
}

std::vector<TListed> Listed(const std::vector<TSearchRec>& entries) {
  std::vector<TListed> result;
  for (const TSearchRec& entry : entries) result.push_back({entry.Name, entry.Attr});
  return result;
}

// Every kind of entry that a mask can meet on a POSIX system.
class FindEntriesTest : public testing::Test {
 protected:
  void SetUp() override {
    const fs::path& d = dir_.path();
    WriteFile(d / "a.mp3", "12345");
    WriteFile(d / "A.mp3", "");
    WriteFile(d / "b.MP3", "");
    WriteFile(d / "_z.mp3", "");
    WriteFile(d / ".hidden.mp3", "");
    WriteFile(d / "ro.mp3", "");
    WriteFile(d / "note.txt", "");
    fs::permissions(d / "ro.mp3", fs::perms::owner_read | fs::perms::group_read);
    fs::create_directory(d / "sub.mp3");
    fs::create_symlink("a.mp3", d / "link.mp3");
    fs::create_directory_symlink("sub.mp3", d / "dirlink.mp3");
    fs::create_symlink("missing", d / "dead.mp3");
    ASSERT_EQ(mkfifo((d / "fifo.mp3").c_str(), 0644), 0);
  }
  std::string Pattern(const std::string& mask) const { return dir_.path().string() + "/" + mask; }

  fixtures::TempDir dir_;
};

TEST_F(FindEntriesTest, ListsSortedWithAttributesOfTheTarget) {
  const std::vector<TListed> expected = {
      {".hidden.mp3", faHidden | faArchive},
      {"A.mp3", faArchive},  // ties of the upper-cased names go by bytes
      {"a.mp3", faArchive},
      {"b.MP3", faArchive},
      {"dead.mp3", faSysFile | faSymLink},
      {"dirlink.mp3", faDirectory | faSymLink},
      {"fifo.mp3", faSysFile},
      {"link.mp3", faArchive | faSymLink},
      {"ro.mp3", faArchive | faReadOnly},
      {"sub.mp3", faDirectory},
      {"_z.mp3", faArchive},  // '_' sorts after the upper-case letters
  };
  EXPECT_EQ(Listed(FindEntries(Pattern("*.mp3"), faAnyFile)), expected);
}

TEST_F(FindEntriesTest, AttributeMaskPassesOverHiddenSystemAndDirectories) {
  const std::vector<TListed> directoriesAndPlain = {
      {"A.mp3", faArchive},
      {"a.mp3", faArchive},
      {"b.MP3", faArchive},
      {"dirlink.mp3", faDirectory | faSymLink},
      {"link.mp3", faArchive | faSymLink},
      {"ro.mp3", faArchive | faReadOnly},
      {"sub.mp3", faDirectory},
      {"_z.mp3", faArchive},
  };
  EXPECT_EQ(Listed(FindEntries(Pattern("*.mp3"), faDirectory)), directoriesAndPlain);
  for (const TSearchRec& entry : FindEntries(Pattern("*"), 0)) {
    EXPECT_EQ(entry.Attr & (faDirectory | faHidden | faSysFile), 0u) << entry.Name;
  }
}

TEST_F(FindEntriesTest, DirectoriesOnlyLeavesFilesOut) {
  fs::create_directory(dir_.path() / ".git");
  const std::vector<TListed> expected = {
      {"dirlink.mp3", faDirectory | faSymLink},
      {"sub.mp3", faDirectory},
  };
  EXPECT_EQ(Listed(FindEntries(Pattern("*.*"), faDirectory, TEntryNeeds::DirectoriesOnly)),
            expected);
}

TEST_F(FindEntriesTest, NamesAndKindsAgreeWithTheFullListing) {
  const std::vector<TSearchRec> full = FindEntries(Pattern("*"), faAnyFile);
  const std::vector<TSearchRec> kinds =
      FindEntries(Pattern("*"), faAnyFile, TEntryNeeds::NamesAndKinds);
  ASSERT_EQ(kinds.size(), full.size());
  ASSERT_FALSE(full.empty());
  for (std::size_t i = 0; i < full.size(); ++i) {
    EXPECT_EQ(kinds[i].Name, full[i].Name);
    EXPECT_EQ(kinds[i].Attr & ~faReadOnly, full[i].Attr & ~faReadOnly) << full[i].Name;
  }
}

TEST_F(FindEntriesTest, FillsSizeAndTimeFromTheTarget) {
  SetModified(dir_.path() / "a.mp3", LocalSeconds(2001, 2, 3, 4, 5, 6));
  const std::vector<TSearchRec> entries = FindEntries(Pattern("?ink.mp3"), faAnyFile);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Size, 5);
  EXPECT_EQ(entries[0].Time, kSampleDosTime);
}

TEST_F(FindEntriesTest, FindsNothingForEmptyMaskOrMissingDirectory) {
  EXPECT_TRUE(FindEntries(Pattern(""), faAnyFile).empty());
  EXPECT_TRUE(FindEntries(Pattern("nothing/*.*"), faAnyFile).empty());
  EXPECT_TRUE(FindEntries(Pattern("a.mp3/*.*"), faAnyFile).empty());
  // "*.*" lists the dotless name too, but never "." or "..".
  const std::vector<TSearchRec> all = FindEntries(Pattern("*.*"), faAnyFile);
  EXPECT_EQ(all.size(), 12u);
  for (const TSearchRec& entry : all) {
    EXPECT_NE(entry.Name, ".");
    EXPECT_NE(entry.Name, "..");
  }
}

TEST_F(FindEntriesTest, RelativePatternSearchesBelowTheCurrentDirectory) {
  const fs::path relative = fs::relative(dir_.path(), fs::current_path());
  const std::vector<TSearchRec> entries =
      FindEntries(relative.string() + "/note.*", faAnyFile);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Name, "note.txt");
}

TEST(FullPathName, JoinsTheCurrentDirectoryLexically) {
  const std::string current = fs::current_path().string();
  EXPECT_EQ(CurrentDirectory(), current);
  EXPECT_EQ(FullPathName("x/../*.mp3"), current + "/*.mp3");
  EXPECT_EQ(FullPathName("/a/" + std::string(5000, 'n')).size(), kMaxPathLength);
}

TEST(MoveFileNoReplace, MovesOnlyOntoAFreeName) {
  fixtures::TempDir dir;
  const std::string from = (dir.path() / "old.mp3").string();
  const std::string taken = (dir.path() / "taken.mp3").string();
  const std::string free = (dir.path() / "new.mp3").string();
  WriteFile(from, "source");
  WriteFile(taken, "target");

  EXPECT_EQ(MoveFileNoReplace(from, taken), EEXIST);
  EXPECT_EQ(ReadWholeFile(taken), "target");
  EXPECT_EQ(ReadWholeFile(from), "source");

  // The identical full name, written another way, is no move at all.
  EXPECT_EQ(MoveFileNoReplace(from, (dir.path() / "." / "old.mp3").string()), 0);
  EXPECT_EQ(ReadWholeFile(from), "source");

  EXPECT_EQ(MoveFileNoReplace(from, free), 0);
  EXPECT_FALSE(fs::exists(from));
  EXPECT_EQ(ReadWholeFile(free), "source");

  const ErrorCode missing = MoveFileNoReplace(from, (dir.path() / "other.mp3").string());
  EXPECT_TRUE(IsNotFound(missing)) << missing;
  EXPECT_FALSE(fs::exists(dir.path() / "other.mp3"));
}

TEST(ReadOnlyFile, RefusesEverythingButRegularFilesWithoutBlocking) {
  fixtures::TempDir dir;
  const fs::path fifo = dir.path() / "fifo.mp3";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  fs::create_symlink("nowhere", dir.path() / "dead.mp3");

  ReadOnlyFile file;
  EXPECT_NE(file.Open(fifo.string()), 0);  // would hang if it waited for a writer
  EXPECT_FALSE(file.IsOpen());
  EXPECT_NE(file.Open(dir.path().string()), 0);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_TRUE(IsNotFound(file.Open((dir.path() / "dead.mp3").string())));
  EXPECT_TRUE(IsNotFound(file.Open((dir.path() / "none" / "x.mp3").string())));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.Size(), -1);
}

TEST(ReadOnlyFile, ReadsExactlyOrFails) {
  fixtures::TempDir dir;
  const fs::path path = dir.path() / "ten.mp3";
  WriteFile(path, "0123456789");
  ReadOnlyFile file;
  ASSERT_EQ(file.Open(path.string()), 0);

  char buffer[16] = {};
  EXPECT_TRUE(file.ReadExactly(0, buffer, 10));
  EXPECT_EQ(std::string(buffer, 10), "0123456789");
  EXPECT_TRUE(file.ReadExactly(7, buffer, 3));
  EXPECT_EQ(std::string(buffer, 3), "789");
  EXPECT_FALSE(file.ReadExactly(5, buffer, 6));  // one byte short
  EXPECT_TRUE(file.ReadExactly(10, buffer, 0));

  EXPECT_EQ(file.ReadAt(8, buffer, sizeof(buffer)), 2);
  EXPECT_EQ(file.ReadAt(10, buffer, sizeof(buffer)), 0);
  EXPECT_EQ(file.ReadAt(1000, buffer, sizeof(buffer)), 0);
  EXPECT_EQ(file.ReadAt(-1, buffer, 1), -1);

  file.Close();
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.ReadAt(0, buffer, 1), -1);
}

TEST(ReadOnlyFile, KeepsTheFactsOfTheOpen) {
  fixtures::TempDir dir;
  const fs::path path = dir.path() / ".ro.mp3";
  WriteFile(path, "abc");
  SetModified(path, LocalSeconds(2001, 2, 3, 4, 5, 6));
  fs::permissions(path, fs::perms::owner_read);
  ReadOnlyFile file;
  ASSERT_EQ(file.Open(path.string()), 0);
  // Facts come from the open, not from the name's later state.
  fs::remove(path);
  EXPECT_EQ(file.Size(), 3);
  EXPECT_EQ(file.DosDateTime(), kSampleDosTime);
  EXPECT_EQ(file.Attributes(), faHidden | faArchive | faReadOnly);
}

TEST(ReadOnlyFile, DateOutsideTheDosRangeIsNoDate) {
  fixtures::TempDir dir;
  struct Case {
    time_t modified;
    std::int32_t packed;
  };
  const Case kCases[] = {
      {LocalSeconds(1979, 12, 31, 23, 59, 58), -1},
      {LocalSeconds(1980, 1, 1, 0, 0, 0), (1 << 21) | (1 << 16)},
      {LocalSeconds(2107, 12, 31, 23, 59, 58),
       static_cast<std::int32_t>(0xFF9FBF7Du)},  // the sign bit is a date bit
      {LocalSeconds(2108, 1, 1, 0, 0, 0), -1},
  };
  const fs::path path = dir.path() / "dated.mp3";
  WriteFile(path, "x");
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.modified);
    SetModified(path, c.modified);
    ReadOnlyFile file;
    ASSERT_EQ(file.Open(path.string()), 0);
    EXPECT_EQ(file.DosDateTime(), c.packed);
  }
}

TEST(LocaleAndClock, FormatsInTheProcessLocale) {
  // The tests keep the C locale: no InitProcess here.
  const TLocaleSettings& settings = Locale();
  EXPECT_EQ(settings.DecimalSeparator, ".");
  EXPECT_EQ(settings.ThousandSeparator, ",");
  EXPECT_EQ(settings.TimeSeparator, ":");
  TLocalDateTime value;
  value.Year = 2001;
  value.Month = 2;
  value.Day = 3;
  value.Hour = 16;
  value.Minute = 5;
  value.Second = 6;
  EXPECT_EQ(FormatShortDate(value), "02/03/01");
  EXPECT_EQ(FormatLongTime(value), "16:05:06");

  const TLocalDateTime now = LocalNow();
  EXPECT_GE(now.Year, 2024);
  EXPECT_TRUE(now.Month >= 1 && now.Month <= 12 && now.Day >= 1 && now.Day <= 31);
  EXPECT_TRUE(now.Millisecond >= 0 && now.Millisecond < 1000);
}

TEST(CommandLineArguments, DropsTheProgramNameAndEmptyArguments) {
  char program[] = "norvel", mask[] = "*.mp3", empty[] = "", flag[] = "-s";
  char* argv[] = {program, mask, empty, flag, nullptr};
  EXPECT_EQ(CommandLineArguments(4, argv), (std::vector<std::string>{"*.mp3", "-s"}));
}

TEST(StandardOutput, WritesEverythingInOrder) {
  fixtures::TempDir dir;
  const fs::path captured = dir.path() / "out.txt";
  std::string expected;
  EXPECT_EXIT(
      {
        const int file = open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(file, STDOUT_FILENO);
        Write("first ");
        Flush();
        Write(std::string(100000, 'x'));  // larger than the buffer
        for (int i = 0; i < 20000; ++i) Write("0123456789");
        Flush();
        _exit(0);
      },
      testing::ExitedWithCode(0), "");
  const std::string text = ReadWholeFile(captured);
  ASSERT_EQ(text.size(), 6u + 100000u + 200000u);
  EXPECT_EQ(text.substr(0, 7), "first x");
  EXPECT_EQ(text.substr(100006, 10), "0123456789");
  EXPECT_EQ(text.substr(text.size() - 10), "0123456789");
}

TEST(StandardOutput, FailedWriteEndsTheProcessWithAMessage) {
  EXPECT_EXIT(
      {
        const int full = open("/dev/full", O_WRONLY);
        dup2(full, STDOUT_FILENO);
        Write("line\n");
        Flush();
        _exit(0);
      },
      testing::ExitedWithCode(kOutputFailedExitCode),
      "^norvel: cannot write to standard output: No space left on device\n$");
}

}  // namespace
