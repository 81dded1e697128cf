#include "mpegaudio/builtins/catalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "mpegaudio/analysis/mpeg_audio.h"
#include "mpegaudio/macros/macro_definitions.h"
#include "tests/support/native_path.h"

namespace {

const TMacroDefinitions& Catalogue() { return MacroDefinitions; }

TEST(Catalogue, HoldsEveryRowOnceWithItsKindAndFunctionForm) {
  RegisterBuiltinMacros();  // already ran before main: must add nothing
  ASSERT_EQ(Catalogue().Count(), 86);
  EXPECT_EQ(Catalogue().Delimiter, '%');

  std::array<int, 5> kinds{};
  for (std::int32_t i = 0; i < Catalogue().Count(); ++i) {
    const TMacro& m = Catalogue().Macros(i);
    SCOPED_TRACE(testing::Message() << i << " " << m.LongName);
    ASSERT_LT(m.Kind, kinds.size());
    ++kinds[m.Kind];
    EXPECT_EQ(m.DefaultCase, 'N');
    EXPECT_TRUE(m.DefaultAlign == 'L' || m.DefaultAlign == 'R');
    EXPECT_EQ(m.ValueFunc.File != nullptr, m.Kind == mkFile);
    EXPECT_EQ(m.ValueFunc.System != nullptr, m.Kind == mkSystem);
    EXPECT_EQ(m.ValueFunc.List, nullptr);
    EXPECT_EQ(m.Template.empty(), m.Kind != mkComposite);
  }
  EXPECT_EQ(kinds[mkFile], 43);
  EXPECT_EQ(kinds[mkSpecial], 5);
  EXPECT_EQ(kinds[mkSystem], 3);
  EXPECT_EQ(kinds[mkList], 33);
  EXPECT_EQ(kinds[mkComposite], 2);
}

TEST(Catalogue, NamesResolveToTheirRegistrationPosition) {
  struct Case {
    const char* name;
    std::int32_t index;
  };
  constexpr Case kCases[] = {
      {"FN", 0},           {"filename", 0},      {"TemplateName", 85}, {"nnn", 49},
      {"Stereo", 42},      {"s", 42},            {"GLK", 71},          {"GroupLengthKB", 70},
      {"glk", 71},         {"PV", 43},           {"EP*", 36},          {"original*", 40},
      {"#", 47},           {"GAT", 52},          {"FPN", 51},          {"XYZ", -1},
      {" FN", -1},         {"", 50},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Catalogue().FindMacro(c.name), c.index);
  }
}

TEST(Catalogue, RowsCarryTheirDefaults) {
  struct Case {
    std::int32_t index;
    const char* shortName;
    const char* longName;
    std::int32_t width;
    char align;
    const char* group;
  };
  constexpr Case kCases[] = {
      {0, "FN", "FileName", 40, 'L', "Mpeg audio file"},
      {17, "GNR", "GenreNr", 3, 'R', "Mpeg audio file"},
      {36, "EP*", "ErrorProt*", 1, 'L', "Mpeg audio file"},
      {40, "O*", "Original*", 3, 'L', "Mpeg audio file"},
      {43, "PV", "ProgramVersion", 11, 'L', "System"},
      {45, "CT", "CurrentTime", 8, 'R', "System"},
      {50, "", "", 1, 'L', "Special"},
      {52, "GAT", "GuessedArtistTitle", 80, 'L', "Mpeg audio file"},
      {57, "GN", "GroupNo", 6, 'R', "Group Data"},
      {83, "OD", "OutputDoc", 40, 'L', "Output document"},
      {85, "TN", "TemplateName", 40, 'L', "Output document"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.longName);
    const TMacro& m = Catalogue().Macros(c.index);
    EXPECT_EQ(m.ShortName, c.shortName);
    EXPECT_EQ(m.LongName, c.longName);
    EXPECT_EQ(m.DefaultWidth, c.width);
    EXPECT_EQ(m.DefaultAlign, c.align);
    EXPECT_EQ(m.Group, c.group);
  }
  EXPECT_EQ(Catalogue().Macros(51).Template, "%FP,T%%FN,T%");
  EXPECT_EQ(Catalogue().Macros(52).Template, "%GA,T% - %GT,T%");
  EXPECT_EQ(Catalogue().Macros(8).Description,
            "File Date time formated for sorting (yyyymmddhhmmss).");
}

// Every value function must cope with a record in any state the object can
// be in: new, reset, or holding codes no decoder would store.
TEST(Catalogue, EveryValueFunctionSetsItsTextOnAnyRecord) {
  TMPEGAudio fresh;
  TMPEGAudio reset;
  reset.Reset();
  TMPEGAudio odd;
  odd.Info.Version = 200;
  odd.Info.Genre = 200;
  odd.Info.FileDate = 0x7FFFFFFF;
  odd.Info.FileSize = -5;
  odd.Info.BitRate = -7;
  for (const TMPEGAudio* audio : {&fresh, &reset, &odd}) {
    for (std::int32_t i = 0; i < Catalogue().Count(); ++i) {
      const TMacro& m = Catalogue().Macros(i);
      SCOPED_TRACE(m.LongName);
      std::string value = "\x01stale";
      if (m.Kind == mkFile) {
        m.ValueFunc.File(*audio, value);
      } else if (m.Kind == mkSystem) {
        m.ValueFunc.System(value);
      } else {
        continue;
      }
      EXPECT_EQ(value.find('\x01'), std::string::npos);
    }
  }
}

// Expansion over the real catalogue, with the start-up delimiter.
class CatalogueExpansion : public testing::Test {
 protected:
  void TearDown() override { MacroDefinitions.Delimiter = '%'; }
  std::string Expand(std::string_view text) const {
    return MacroDefinitions.ExpandText(text, &audio_, 0);
  }
  TMPEGAudio audio_;
};

TEST_F(CatalogueExpansion, ItemsTakeTheirRowDefaults) {
  audio_.Info.FileName = fixtures::NativePath("/music/Rock-Pop/Artist - Title.mp3");
  audio_.Info.Mode = 3;
  audio_.Info.Original = 1;
  audio_.Info.Track = 7;
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case kCases[] = {
      {"%M%", "Single-Chann"},
      {"%S%", "Mono  "},
      {"%O*%", "*  "},
      {"%EP*%", " "},
      {"%EP*,T%", ""},
      {"%C*%", " "},
      {"%TR%", "  7"},
      {"%TR,R,2,0%", "07"},
      {"%PV,T%", "Corvane 1.8"},
      {"%T%", "Unknown Title                 "},
      {"%FC%", "%FC%"},
      {"%fc,R,5%", "%fc,R,5%"},
      {"%nnn%", "NNNis NoExec Item!"},
      {"%GAT,T%", "Artist - Title"},
      {"%FPN,T%", "/music/Rock-Pop/Artist - Title.mp3"},
      {"%GA,T% - %GT,T%.mp3", "Artist - Title.mp3"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Expand(c.text), fixtures::NativePath(c.expected));
  }
  EXPECT_EQ(Expand("%GAT%"), std::string("Artist - Title") + std::string(66, ' '));
}

TEST_F(CatalogueExpansion, TemplatesHoldNoItemsUnderTheRenamersDelimiter) {
  audio_.Info.FileName = "/music/Artist - Title.mp3";
  audio_.Info.TagId = "TAG";
  audio_.Info.Artist = "The Band";
  audio_.Info.Title = "Song";
  audio_.Info.Track = 7;
  MacroDefinitions.Delimiter = '#';
  EXPECT_EQ(Expand("#GAT,T#"), "%GA,T% - %GT,T%");
  EXPECT_EQ(Expand("#TR,R,2,0# #A,T# - #T,T#.MP3"), "07 The Band - Song.MP3");
  EXPECT_EQ(Expand("#FC#"), "#FC#");
}

}  // namespace
