#include "mpegaudio/macros/macro_expansion.h"

#include <gtest/gtest.h>

#include <string>

#include "mpegaudio/analysis/mpeg_audio.h"

namespace {

void GetTitle(const TMPEGAudio& audio, std::string& value) { value = audio.Info.Title.Str(); }
void GetArtist(const TMPEGAudio& audio, std::string& value) { value = audio.Info.Artist.Str(); }
void GetTrack(const TMPEGAudio& audio, std::string& value) {
  value = std::to_string(audio.Info.Track);
}
void GetPadded(const TMPEGAudio&, std::string& value) { value = "  Abc  "; }
void GetLong(const TMPEGAudio&, std::string& value) { value = std::string(300, 'v') + "  "; }
void GetVersion(std::string& value) { value = " 1.8 "; }
void GetListEntry(std::uintptr_t context, std::string& value) {
  value = "entry " + std::to_string(context);
}

// A small registry in the shape of the built-in catalogue.
TMacroDefinitions TestDefinitions() {
  TMacroDefinitions list;
  list.AddMacro("T", "Title", 30, 'L', 'N', "", "Mpeg audio file", mkFile, GetTitle, "");
  list.AddMacro("A", "Artist", 30, 'L', 'N', "", "Mpeg audio file", mkFile, GetArtist, "");
  list.AddMacro("TR", "Track", 3, 'R', 'N', "", "Mpeg audio file", mkFile, GetTrack, "");
  list.AddMacro("P", "Padded", 7, 'R', 'U', "", "Mpeg audio file", mkFile, GetPadded, "");
  list.AddMacro("LV", "LongValue", 10, 'L', 'N', "", "Mpeg audio file", mkFile, GetLong, "");
  list.AddMacro("VER", "Version", 10, 'L', 'N', "", "System", mkSystem, GetVersion, "");
  list.AddMacro("N", "ListName", 20, 'L', 'N', "", "List data", mkList, nullptr, "");
  list.AddMacro("LE", "ListEntry", 12, 'R', 'N', "", "List data", mkList, GetListEntry, "");
  list.AddMacro("nnn", "", 0, 'L', 'N', "", "Special", mkSpecial, nullptr, "");
  list.AddMacro("NL", "NewLine", 2, 'L', 'N', "", "Special", mkSpecial, nullptr, "");
  list.AddMacro("GAT", "ArtistTitle", 80, 'L', 'N', "", "Mpeg audio file", mkComposite,
                nullptr, "%A,T% - %T,T%");
  list.AddMacro("SP", "Spaced", 10, 'L', 'N', "", "Mpeg audio file", mkComposite, nullptr,
                " %T,T% ");
  // The kind alone decides which value function is called.
  list.AddMacro("WF", "WrongForm", 5, 'L', 'N', "", "System", mkSystem, GetTitle, "");
  list.AddMacro("K7", "", 5, 'L', 'N', "", "", 7, GetVersion, "");
  list.AddMacro("K8", "", 5, 'L', 'N', "", "", 8, nullptr, "");
  return list;
}

struct Fixture : testing::Test {
  Fixture() {
    audio.Info.Title = "abc";
    audio.Info.Artist = "The Band";
    audio.Info.Track = 7;
  }
  std::string Expand(std::string_view text, std::uintptr_t listContext = 0) const {
    return definitions.ExpandText(text, &audio, listContext);
  }
  TMacroDefinitions definitions = TestDefinitions();
  TMPEGAudio audio;
};

using ExpandText = Fixture;

TEST_F(ExpandText, ItemsLiteralsAndSpecialItems) {
  const std::string title30 = "abc" + std::string(27, ' ');
  struct Case { std::string_view text; std::string expected; };
  const Case kCases[] = {
      {"", ""},
      {"no items here", "no items here"},
      {"%%", "%"},
      {"100%% sure", "100% sure"},
      {"%,R,5%", "%"},                   // an empty name: one delimiter, unformatted
      {"%  ,R,5%", "%"},
      {"a%b", "a<<<ERROR!!! No end of item definition!>>>"},
      {"%T,T%%x", "abc<<<ERROR!!! No end of item definition!>>>"},
      {"%T%", title30},
      {"%t%", title30}, {"% T %", title30}, {"%Title%", title30}, {"%tItLe%", title30},
      {"%T,T%%A,T%", "abcThe Band"},
      {"%T,T%x%A,T%", "abcxThe Band"},
      {"%TR,R,3,0%", "007"},
      {"%TR%", "  7"},
      {"%T,L,10,x,U%", "ABCxxxxxxx"},
      {"%Artist,L,12,.,U%", "THE BAND...."},
      {"%T,T,,,C,ignored,fields%", "Abc"},
      {"%65%", "A"}, {"%300%", ","},
      {"%0%", "\x01"}, {"%256%", "\x01"}, {"%1.5%", "\x01"}, {"%.%", "\x01"},
      {"%99999999999%", "\x01"},
      {"%65,C,3%", " A "},
      {"%NL%", "\r\n"}, {"%newline%", "\r\n"}, {"%NL,R,4,-%", "--\r\n"},
      {"%TAB%", "\t"}, {"%tb%", "\t"},
      {"%#%", ""}, {"%SoftNewLine%", ""}, {"%SOFTNEWLINE,R%", ""}, {"%#,C,5%", "     "},
      {"%XYZ,R,10%", "%XYZ,R,10%"},      // unresolved items stay as written
      {"%N,R,10%", "%N,R,10%"},          // a list item without a list context
      {"%LE%", "%LE%"},
      {"%nnn%", "NNNis NoExec Item!"},
      {"%nnn,R,20,.%", "..NNNis NoExec Item!"},
      {"%P%", "    ABC"},               // stripped, then the entry's defaults
      {"%P,T%", "ABC"},
      {"%LV,T%", std::string(300, 'v')},
      {"%LV%", std::string(10, 'v')},
      {"%VER,T%", "1.8"},
      {"%GAT,T%", "The Band - abc"},
      {"%GAT%", "The Band - abc" + std::string(66, ' ')},
      {"%SP,T%", " abc "},               // a template's expansion is not stripped
      {"%WF,T%", "WF association error!!! "},
      {"%wrongform%", "WRONGFORM association error!!! "},
      {"%K7,R,9%", "%K7,R,9%"},          // a kind outside the enumeration
      {"%K8,T%", "K8 association error!!! "},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Expand(c.text), c.expected);
  }
}

TEST_F(ExpandText, ListItemsNeedAListContext) {
  EXPECT_EQ(Expand("%LE%", 42), "    entry 42");
  EXPECT_EQ(Expand("%N%", 42), "N association error!!! ");
  EXPECT_EQ(Expand("%N,R,26%", 42), "   N association error!!! ");
}

TEST_F(ExpandText, FileItemsNeedAnAudioObject) {
  EXPECT_EQ(definitions.ExpandText("%T,T% %VER,T% %GAT,T%", nullptr, 0),
            "%T,T% 1.8 %A,T% - %T,T%");
}

TEST_F(ExpandText, OtherDelimiterAppliesToTemplatesToo) {
  definitions.Delimiter = '#';
  EXPECT_EQ(Expand("#A,T# - #T,T#.mp3"), "The Band - abc.mp3");
  EXPECT_EQ(Expand("%A% 100%"), "%A% 100%");
  EXPECT_EQ(Expand("#GAT,T#"), "%A,T% - %T,T%");
  EXPECT_EQ(Expand("#GAT#"), "%A,T% - %T,T%" + std::string(67, ' '));
  EXPECT_EQ(Expand("###"), "#<<<ERROR!!! No end of item definition!>>>");
  EXPECT_EQ(Expand("#SOFTNEWLINE#"), "");
  EXPECT_EQ(Expand("##"), "#");
}

TEST_F(ExpandText, ValuesAreNotScannedAgain) {
  audio.Info.Title = "50%T%";
  EXPECT_EQ(Expand("%T,T%"), "50%T%");
}

TEST_F(ExpandText, LongItemsAreSplitIntoFields) {
  // 254 characters between the delimiters, and far more than that.
  for (std::size_t padding : {std::size_t{244}, std::size_t{5000}}) {
    const std::string item = "%T" + std::string(padding, ' ') + ",R,12,.,U%";
    SCOPED_TRACE(item.size() - 2);
    EXPECT_EQ(Expand(item), ".........ABC");
  }
  const std::string unknown = "%" + std::string(3000, 'Q') + "%";
  EXPECT_EQ(Expand(unknown), unknown);
}

TEST(ExpandTextNesting, SelfReferringTemplateStopsAtTheNestingBound) {
  TMacroDefinitions list;
  list.AddMacro("LOOP", "", 0, 'T', 'N', "", "", mkComposite, nullptr, "<%LOOP%>");
  const std::string result = list.ExpandText("%LOOP%", nullptr, 0);
  const std::string levels(kMaxTemplateNesting, '<');
  EXPECT_EQ(result, levels + "%LOOP%" + std::string(kMaxTemplateNesting, '>'));

  // Through another template, too.
  TMacroDefinitions pair;
  pair.AddMacro("PING", "", 0, 'T', 'N', "", "", mkComposite, nullptr, "i%PONG%");
  pair.AddMacro("PONG", "", 0, 'T', 'N', "", "", mkComposite, nullptr, "o%PING%");
  const std::string pingPong = pair.ExpandText("%PING%", nullptr, 0);
  EXPECT_EQ(pingPong.size(), kMaxTemplateNesting + std::string_view("%PING%").size());
  EXPECT_EQ(pingPong.substr(0, 4), "ioio");
}

TEST(ExpandItem, ExpandsOneItemWithItsDelimiters) {
  TMacroDefinitions list = TestDefinitions();
  EXPECT_EQ(ExpandItem("%VER,R,5,-%", list, nullptr, 0), "--1.8");
  EXPECT_EQ(ExpandItem("%NoSuch,R%", list, nullptr, 0), "%NoSuch,R%");
  EXPECT_EQ(ExpandItem("%%", list, nullptr, 0), "%");
}

TEST(MacroTextFunctions, PosFrom) {
  struct Case { std::string_view sub, text; std::size_t start, expected; };
  const Case kCases[] = {
      {"%", "a%b%c", 1, 2}, {"%", "a%b%c", 2, 2}, {"%", "a%b%c", 3, 4}, {"%", "a%b%c", 5, 0},
      {"%", "a%b%c", 9, 0}, {"%", "", 1, 0}, {"b%", "a%b%c", 1, 3}, {"", "abc", 1, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.sub << " in " << c.text << " from " << c.start);
    EXPECT_EQ(PosFrom(c.sub, c.text, c.start), c.expected);
  }
}

TEST(MacroTextFunctions, ExtractFieldAndFieldCount) {
  const TCharSet commas{","};
  struct Case { std::string_view text; int n; std::string_view field; };
  const Case kCases[] = {
      {"T,R,3,0", 1, "T"}, {"T,R,3,0", 2, "R"}, {"T,R,3,0", 4, "0"}, {"T,R,3,0", 5, ""},
      {"T,R,3,0", 0, ""}, {"T,R,3,0", -1, ""}, {"", 1, ""}, {",", 1, ""}, {",", 2, ""},
      {"a,,b", 2, ""}, {"a,,b", 3, "b"}, {"a,", 2, ""}, {"a;b,c", 2, "c"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.text << " #" << c.n);
    EXPECT_EQ(ExtractField(c.text, c.n, commas), c.field);
  }
  EXPECT_EQ(ExtractField("a;b,c", 3, TCharSet{",;"}), "c");

  struct Count { std::string_view text; int count; };
  const Count kCounts[] = {{"", 0}, {",", 0}, {"a", 1}, {"a,", 1}, {",a", 2}, {"a,b", 2},
                           {",,", 2}, {"a,b,c,d,e,f", 6}};
  for (const Count& c : kCounts) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FieldCount(c.text, commas), c.count);
  }
  EXPECT_EQ(FieldCount(std::string(400, ','), commas), 400);  // no 8-bit wrap
}

TEST(MacroTextFunctions, IsNumber) {
  for (std::string_view yes : {"0", "65", "1.5", ".", "00.."}) EXPECT_TRUE(IsNumber(yes)) << yes;
  for (std::string_view no : {"", "-1", "+1", "$A", "1 ", "1e3", "x"}) {
    EXPECT_FALSE(IsNumber(no)) << no;
  }
}

}  // namespace
