#include "mpegaudio/analysis/id3v1_tag.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using namespace std::string_literals;

using TBlock = std::array<unsigned char, kTagSize>;

TBlock BlankTag() {
  TBlock block{};
  block[0] = 'T';
  block[1] = 'A';
  block[2] = 'G';
  return block;
}

void Put(TBlock& block, std::size_t offset, const std::string& bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) block[offset + i] = static_cast<unsigned char>(bytes[i]);
}

TEST(ReadTag, CleansTextFieldsAtTheFirstNulAndTrailingBlanks) {
  struct Case {
    std::string bytes;  // the title field, padded with NULs to 30
    std::string title;
  };
  const Case kCases[] = {
      {"Hello", "Hello"},
      {"Hello" + std::string(25, ' '), "Hello"},
      {"Hello\0World     "s, "Hello"},
      {"  Hello", "  Hello"},
      {"Hello \0 \0"s, "Hello"},
      {std::string(30, 'x'), std::string(30, 'x')},
      {std::string(30, ' '), ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.bytes);
    TBlock block = BlankTag();
    Put(block, 3, c.bytes);
    TAudioInfo info;
    ReadTag(block, info);
    EXPECT_EQ(info.Title.Str(), c.title);
  }
}

TEST(ReadTag, PlacesEveryFieldAtItsOffset) {
  TBlock block = BlankTag();
  Put(block, 3, "Title");
  Put(block, 33, "Artist");
  Put(block, 63, "Album");
  Put(block, 93, "1999");
  Put(block, 97, "Comment of 28 characters....");
  block[125] = 0;
  block[126] = 7;
  block[127] = 125;
  TAudioInfo info;
  ASSERT_TRUE(IsTagBlock(block));
  ReadTag(block, info);
  EXPECT_EQ(info.TagId.Str(), "TAG");
  EXPECT_EQ(info.Title.Str(), "Title");
  EXPECT_EQ(info.Artist.Str(), "Artist");
  EXPECT_EQ(info.Album.Str(), "Album");
  EXPECT_EQ(info.Year.Str(), "1999");
  EXPECT_EQ(info.Comment.Str(), "Comment of 28 characters....");
  EXPECT_EQ(info.Track, 7);
  EXPECT_EQ(info.Genre, 125);
}

TEST(ReadTag, YearIsRawAndTheLastCommentByteDoublesAsTrack) {
  struct Case {
    std::string year, storedYear;
  };
  const Case kCases[] = {{"2001", "2001"}, {"\0\0\0\0"s, "\0\0\0\0"s}, {"99  ", "99  "}};
  for (const Case& c : kCases) {
    TBlock block = BlankTag();
    Put(block, 93, c.year);
    Put(block, 97, std::string(29, 'c') + "X");
    TAudioInfo info;
    ReadTag(block, info);
    EXPECT_EQ(info.Year.Str(), c.storedYear);
    EXPECT_EQ(info.Year.size(), 4u);
    EXPECT_EQ(info.Comment.Str(), std::string(29, 'c') + "X");
    EXPECT_EQ(info.Track, 'X');
  }
}

TEST(IsTagBlock, NeedsTagInCapitals) {
  TBlock block = BlankTag();
  EXPECT_TRUE(IsTagBlock(block));
  block[0] = 't';
  EXPECT_FALSE(IsTagBlock(block));
  block = BlankTag();
  block[2] = 'X';
  EXPECT_FALSE(IsTagBlock(block));
}

TEST(TextCleaners, StripOnlySpacesAndNulsWhereTheyMayGo) {
  struct Case {
    std::string text, right, left, both;
  };
  const Case kCases[] = {
      {"", "", "", ""},
      {"   ", "", "", ""},
      {"  a  ", "  a", "a  ", "a"},
      {"a\0b"s, "a", "a\0b"s, "a"},
      {"\0a"s, "", "\0a"s, ""},
      {"\ta \0"s, "\ta", "\ta \0"s, "\ta"},
      {std::string(300, 'y') + " ", std::string(300, 'y'), std::string(300, 'y') + " ",
       std::string(300, 'y')},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(std::string(StripRight(c.text)), c.right);
    EXPECT_EQ(std::string(StripLeft(c.text)), c.left);
    EXPECT_EQ(std::string(Strip(c.text)), c.both);
  }
}

TEST(GenreNames, HasTheFullListInOrder) {
  EXPECT_EQ(GenreNames[0], "Blues");
  EXPECT_EQ(GenreNames[12], "Other");
  EXPECT_EQ(GenreNames[67], "Psychadelic");
  EXPECT_EQ(GenreNames[92], "Progessive Rock");
  EXPECT_EQ(GenreNames[123], "A capella");
  EXPECT_EQ(GenreNames[125], "Dance Hall");
  for (std::string_view name : GenreNames) EXPECT_FALSE(name.empty());
}

}  // namespace
