// The Windows services, against the system itself (or a compatible layer).
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
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

void AddAttributes(const fs::path& path, DWORD bits) {
  const std::string name = path.string();
  ASSERT_TRUE(SetFileAttributesA(name.c_str(), GetFileAttributesA(name.c_str()) | bits));
}

class Win32Test : public testing::Test {
 protected:
  std::string Dir() const { return temp_.path().string() + "\\"; }
  fs::path Path(const std::string& name) const { return temp_.path() / name; }

  void TearDown() override {
    // Read-only files would outlive the folder.
    for (const auto& entry : fs::directory_iterator(temp_.path())) {
      SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
  }

 private:
  fixtures::TempDir temp_;
};

std::vector<std::string> Names(const std::vector<TSearchRec>& entries) {
  std::vector<std::string> names;
  for (const TSearchRec& entry : entries) names.push_back(entry.Name);
  return names;
}

// The names as FindFirstFileA/FindNextFileA give them, "." and ".." left out.
std::vector<std::string> SystemOrder(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

TEST_F(Win32Test, FindEntriesFiltersByAttributeInTheSystemsOrder) {
  WriteFile(Path("plain.mp3"), "12345");
  WriteFile(Path("hidden.mp3"), "");
  WriteFile(Path("system.mp3"), "");
  WriteFile(Path("readonly.mp3"), "");
  WriteFile(Path("other.txt"), "");
  fs::create_directory(Path("dir.mp3"));
  fs::create_directory(Path("hiddendir.mp3"));
  AddAttributes(Path("hidden.mp3"), FILE_ATTRIBUTE_HIDDEN);
  AddAttributes(Path("system.mp3"), FILE_ATTRIBUTE_SYSTEM);
  AddAttributes(Path("readonly.mp3"), FILE_ATTRIBUTE_READONLY);
  AddAttributes(Path("hiddendir.mp3"), FILE_ATTRIBUTE_HIDDEN);

  const std::vector<TSearchRec> all = FindEntries(Dir() + "*.mp3", faAnyFile);
  // Nothing re-sorted: the system's order, whatever it is.
  EXPECT_EQ(Names(all), SystemOrder(Dir() + "*.mp3"));
  ASSERT_EQ(all.size(), 6u);
  for (const TSearchRec& entry : all) {
    SCOPED_TRACE(entry.Name);
    const std::uint32_t expected = entry.Name == "plain.mp3"      ? faArchive
                                   : entry.Name == "hidden.mp3"   ? faArchive | faHidden
                                   : entry.Name == "system.mp3"   ? faArchive | faSysFile
                                   : entry.Name == "readonly.mp3" ? faArchive | faReadOnly
                                   : entry.Name == "dir.mp3"      ? faDirectory
                                                                  : faDirectory | faHidden;
    EXPECT_EQ(entry.Attr, expected);
    EXPECT_EQ(entry.Size, entry.Name == "plain.mp3" ? 5 : 0);
  }

  struct Case {
    std::uint32_t mask;
    bool directoriesOnly;
    std::vector<std::string> names;
  };
  const Case kCases[] = {
      // Read-only and archive never keep an entry out.
      {0, false, {"plain.mp3", "readonly.mp3"}},
      {faDirectory, false, {"dir.mp3", "plain.mp3", "readonly.mp3"}},
      {faHidden, false, {"hidden.mp3", "plain.mp3", "readonly.mp3"}},
      {faDirectory, true, {"dir.mp3"}},
      {faAnyFile, true, {"dir.mp3", "hiddendir.mp3"}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "mask " << c.mask << (c.directoriesOnly ? " dirs" : ""));
    std::vector<std::string> names = Names(FindEntries(
        Dir() + "*.mp3", c.mask,
        c.directoriesOnly ? TEntryNeeds::DirectoriesOnly : TEntryNeeds::Everything));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, c.names);
  }
}

TEST_F(Win32Test, FindEntriesLeavesOutDotEntriesAndFindsNothingWithoutAMask) {
  WriteFile(Path("a"), "");
  EXPECT_EQ(Names(FindEntries(Dir() + "*.*", faAnyFile)), std::vector<std::string>{"a"});
  EXPECT_EQ(Names(FindEntries(Dir() + "*", faAnyFile)), std::vector<std::string>{"a"});
  EXPECT_TRUE(FindEntries(Dir(), faAnyFile).empty());
  EXPECT_TRUE(FindEntries(Dir() + "missing\\*.*", faAnyFile).empty());
}

TEST_F(Win32Test, MoveNeverReplacesAndMovesOntoItsOwnNameQuietly) {
  WriteFile(Path("a.mp3"), "old");
  WriteFile(Path("b.mp3"), "other");
  const std::string a = Dir() + "a.mp3";
  const std::string b = Dir() + "b.mp3";

  EXPECT_NE(MoveFileNoReplace(a, b), 0);
  EXPECT_EQ(ReadWholeFile(Path("a.mp3")), "old");
  EXPECT_EQ(ReadWholeFile(Path("b.mp3")), "other");

  EXPECT_EQ(MoveFileNoReplace(a, a), 0);
  EXPECT_TRUE(IsNotFound(MoveFileNoReplace(Dir() + "missing.mp3", Dir() + "c.mp3")));

  // Only the case changes: the file takes the new spelling.
  EXPECT_EQ(MoveFileNoReplace(a, Dir() + "A.MP3"), 0);
  std::vector<std::string> names = Names(FindEntries(Dir() + "*.*", faAnyFile));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"A.MP3", "b.mp3"}));
  EXPECT_EQ(ReadWholeFile(Path("A.MP3")), "old");

  EXPECT_EQ(MoveFileNoReplace(Dir() + "A.MP3", Dir() + "c.mp3"), 0);
  EXPECT_EQ(ReadWholeFile(Path("c.mp3")), "old");
}

TEST_F(Win32Test, ReadOnlyFileReadsAtPositionsAndReportsFailures) {
  WriteFile(Path("f.bin"), "0123456789");
  ReadOnlyFile file;
  ASSERT_EQ(file.Open(Dir() + "f.bin"), 0);
  EXPECT_EQ(file.Size(), 10);
  char buffer[16] = {};
  EXPECT_TRUE(file.ReadExactly(6, buffer, 4));
  EXPECT_EQ(std::string(buffer, 4), "6789");
  EXPECT_FALSE(file.ReadExactly(8, buffer, 4));  // two bytes short
  EXPECT_EQ(file.ReadAt(10, buffer, 4), 0);
  EXPECT_EQ(file.ReadAt(50, buffer, 4), 0);
  EXPECT_EQ(file.ReadAt(-1, buffer, 4), -1);
  file.Close();
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.Size(), -1);

  EXPECT_TRUE(IsNotFound(file.Open(Dir() + "missing.bin")));
  EXPECT_TRUE(IsNotFound(file.Open(Dir() + "missing\\f.bin")));
  fs::create_directory(Path("sub"));
  EXPECT_NE(file.Open(Dir() + "sub"), 0);
  // A device name opens on any folder; reading it could wait for ever.
  EXPECT_NE(file.Open(Dir() + "NUL"), 0);
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(Win32Test, OpenSharesWithWritersButNotWithAnExclusiveHolder) {
  WriteFile(Path("f.bin"), "data");
  const std::string name = Dir() + "f.bin";
  ReadOnlyFile file;
  {
    const HANDLE writer = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(file.Open(name), 0);
    file.Close();
    CloseHandle(writer);
  }
  const HANDLE exclusive =
      CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
  EXPECT_EQ(file.Open(name), ERROR_SHARING_VIOLATION);
  CloseHandle(exclusive);
}

// Sets the file's last write to a local time, as Explorer would show it.
void SetLocalWriteTime(const std::string& name, WORD year, WORD month, WORD day, WORD hour,
                       WORD minute, WORD second) {
  SYSTEMTIME local{};
  local.wYear = year;
  local.wMonth = month;
  local.wDay = day;
  local.wHour = hour;
  local.wMinute = minute;
  local.wSecond = second;
  FILETIME localTime;
  FILETIME utc;
  ASSERT_TRUE(SystemTimeToFileTime(&local, &localTime));
  ASSERT_TRUE(LocalFileTimeToFileTime(&localTime, &utc));
  const HANDLE file = CreateFileA(name.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &utc));
  CloseHandle(file);
}

TEST_F(Win32Test, LastWriteIsPackedDosLocalTimeOrMinusOne) {
  WriteFile(Path("f.mp3"), "x");
  const std::string name = Dir() + "f.mp3";
  ReadOnlyFile file;

  SetLocalWriteTime(name, 2021, 7, 14, 13, 45, 31);
  // 2021-07-14 13:45:30 (two-second steps).
  const std::int32_t packed = ((2021 - 1980) << 25) | (7 << 21) | (14 << 16) | (13 << 11) |
                              (45 << 5) | (30 / 2);
  ASSERT_EQ(file.Open(name), 0);
  EXPECT_EQ(file.DosDateTime(), packed);
  file.Close();
  ASSERT_EQ(FindEntries(name, faAnyFile).size(), 1u);
  EXPECT_EQ(FindEntries(name, faAnyFile)[0].Time, packed);

  // Before 1980 the packed form has no room.
  SetLocalWriteTime(name, 1975, 1, 2, 3, 4, 6);
  ASSERT_EQ(file.Open(name), 0);
  EXPECT_EQ(file.DosDateTime(), -1);
  EXPECT_EQ(FindEntries(name, faAnyFile)[0].Time, -1);
}

TEST(Win32Services, PumpTakesMessagesUntilAQuitAndLeavesTheRest) {
  const DWORD thread = GetCurrentThreadId();
  MSG message;
  // The queue of this thread comes into being with the first look at it.
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  ASSERT_TRUE(PostThreadMessageA(thread, WM_USER, 0, 0));
  ASSERT_TRUE(PostThreadMessageA(thread, WM_QUIT, 0, 0));
  ASSERT_TRUE(PostThreadMessageA(thread, WM_USER + 1, 0, 0));
  PumpMessages();
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 1));
  PumpMessages();
  EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST(Win32Services, NamesOfMissingOrOddPlacesFailQuietly) {
  std::string shortName;
  EXPECT_FALSE(ShortPathName("C:\\no\\such\\file.mp3", shortName));
  // A network path has no drive letter: the label is empty.
  EXPECT_EQ(VolumeLabel('\\'), "");
  EXPECT_EQ(FullPathName("C:\\a\\..\\b\\*.mp3"), "C:\\b\\*.mp3");
  EXPECT_EQ(FullPathName(std::string(400, 'x')).size(), kMaxPathLength);
}

TEST(Win32Services, DatesBeforeTheSystemsCalendarStillFormat) {
  // The date-time value 0 is 1899-12-30; the system's date functions begin in 1601.
  const TLocalDateTime zero{1899, 12, 30, 13, 5, 9, 0};
  EXPECT_NE(FormatShortDate(zero).find("30"), std::string::npos) << FormatShortDate(zero);
  const std::string time = FormatLongTime(zero);
  EXPECT_NE(time.find("05"), std::string::npos) << time;
  EXPECT_NE(time.find("09"), std::string::npos) << time;
}

}  // namespace
