#include "mpegaudio/macros/macro_definitions.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

// Counts every allocation of this test program, so that a test can show
// that a piece of code makes none. The replaced operators pair malloc with
// free on purpose; GCC's optimiser cannot see that the pair matches.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
namespace {
std::atomic<long> allocationCount{0};
}  // namespace

void* operator new(std::size_t size) {
  ++allocationCount;
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

std::int32_t Add(TMacroDefinitions& list, std::string_view shortName, std::string_view longName) {
  return list.AddMacro(shortName, longName, 10, 'L', 'N', "", "Test", mkSystem, nullptr, "");
}

TEST(MacroDefinitions, NewListIsEmptyWithPercentDelimiter) {
  TMacroDefinitions list;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Delimiter, '%');
  EXPECT_EQ(list.FindMacro("FN"), -1);
  EXPECT_EQ(list.FindMacro(""), -1);
}

TEST(MacroDefinitions, AddMacroStoresArgumentsAndReturnsIndexesInCallOrder) {
  TMacroDefinitions list;
  EXPECT_EQ(Add(list, "A", "Alpha"), 0);
  EXPECT_EQ(Add(list, "A", "Alpha"), 1);  // duplicates are stored too
  EXPECT_EQ(Add(list, "", ""), 2);
  auto fileFunc = +[](const TMPEGAudio&, std::string& value) { value = "x"; };
  EXPECT_EQ(list.AddMacro("FN", "FileName", 40, 'R', 'U', "Mpeg audio file name",
                          "Mpeg audio file", 9, fileFunc, "%T%"),
            3);
  EXPECT_EQ(list.Count(), 4);
  const TMacro& m = list.Macros(3);
  EXPECT_EQ(m.ShortName, "FN");
  EXPECT_EQ(m.LongName, "FileName");
  EXPECT_EQ(m.DefaultWidth, 40);
  EXPECT_EQ(m.DefaultAlign, 'R');
  EXPECT_EQ(m.DefaultCase, 'U');
  EXPECT_EQ(m.Description, "Mpeg audio file name");
  EXPECT_EQ(m.Group, "Mpeg audio file");
  EXPECT_EQ(m.Kind, 9);  // a kind outside the enumeration is kept as given
  EXPECT_EQ(m.ValueFunc.File, fileFunc);
  EXPECT_EQ(m.Template, "%T%");
}

TEST(MacroDefinitions, FindMacroRules) {
  TMacroDefinitions list;
  Add(list, "FN", "FileName");           // 0
  Add(list, "GLK", "Genre");             // 1
  Add(list, "GLK", "GenreLink");         // 2: same short name, later
  Add(list, "X", "LongX");               // 3
  Add(list, "LongX2", "X");              // 4: long name hides entry 3's short name
  Add(list, "Q", "Short");               // 5
  Add(list, "Short", "Other");           // 6: short name hides entry 5's long name
  Add(list, "", "");                     // 7
  Add(list, "\xE9t\xE9", "Acc\xE9nt");   // 8: accented letters keep their case
  Add(list, "", "Empty short");          // 9

  struct Case { std::string_view name; std::int32_t index; };
  const Case kCases[] = {
      {"fn", 0}, {"FN", 0}, {"Fn", 0}, {"FILENAME", 0}, {"filename", 0},
      {"GLK", 2}, {"glk", 2}, {"GENRE", 1}, {"GenreLink", 2},
      {"X", 4}, {"LONGX", 3}, {"LONGX2", 4},
      {"SHORT", 6}, {"Q", 5}, {"OTHER", 6},
      {"", 9},                                   // the last entry with an empty name
      {" FN", -1}, {"FN ", -1}, {"F", -1}, {"FNX", -1}, {"File", -1},
      {"\xE9T\xE9", 8}, {"\xC9T\xC9", -1}, {"ACC\xE9NT", 8}, {"ACC\xC9NT", -1},
      {"A name longer than every registered name", -1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.name));
    EXPECT_EQ(list.FindMacro(c.name), c.index);
  }
}

TEST(MacroDefinitions, FindMacroDoesNotAllocate) {
  TMacroDefinitions list;
  Add(list, "GA", "GuessedArtistFromTagOrFileName");
  Add(list, "FN", "FileName");
  const std::string_view asked[] = {"guessedartistfromtagorfilename", "GuessedArtistFromTagOrFileNamX",
                                    "fn", "", "a name longer than every registered one"};
  std::array<std::int32_t, std::size(asked)> found{};
  const long before = allocationCount.load();
  for (std::size_t i = 0; i < found.size(); ++i) found[i] = list.FindMacro(asked[i]);
  EXPECT_EQ(allocationCount.load(), before);
  EXPECT_EQ(found, (std::array<std::int32_t, 5>{0, -1, 1, -1, -1}));
}

// The lookup index must answer exactly as a scan of the whole list that keeps
// the last match would, over many colliding registrations.
TEST(MacroDefinitions, FindMacroMatchesLastRegisteredScan) {
  const std::vector<std::string> names = {"", "a", "A", "b", "ab", "AB", "aB", "ba", "abc", "z",
                                          "Z1", "z1", "{", "[", "`", "@"};
  TMacroDefinitions list;
  std::vector<std::pair<std::string, std::string>> added;
  unsigned seed = 7;
  for (int i = 0; i < 60; ++i) {
    seed = seed * 1103515245U + 12345U;
    const std::string& shortName = names[(seed >> 8) % names.size()];
    const std::string& longName = names[(seed >> 16) % names.size()];
    ASSERT_EQ(Add(list, shortName, longName), i);
    added.emplace_back(shortName, longName);
  }
  auto upper = [](std::string text) {
    for (char& c : text) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return text;
  };
  for (const std::string& name : names) {
    std::int32_t expected = -1;
    for (std::size_t i = 0; i < added.size(); ++i) {
      if (upper(added[i].second) == upper(name) || upper(added[i].first) == upper(name)) {
        expected = static_cast<std::int32_t>(i);
      }
    }
    SCOPED_TRACE(name);
    EXPECT_EQ(list.FindMacro(name), expected);
  }
}

}  // namespace
