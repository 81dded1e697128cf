#include "renamer/command_line.h"

#include <gtest/gtest.h>

namespace {

using platform::PathStyle;

TArgumentResult Read(std::vector<std::string> arguments, TRunSettings& settings,
                     PathStyle style = PathStyle::Posix) {
  return ReadArguments(arguments, settings, style);
}

TEST(ReadArguments, SwitchesAreUpperCasedAndComparedWhole) {
  TRunSettings settings;
  EXPECT_EQ(Read({"-s", "-U", "-r", "-SU", "-X", "-HELP", "song.mp3"}, settings).Error,
            TArgumentError::None);
  EXPECT_TRUE(settings.SearchSubdirs);
  EXPECT_TRUE(settings.SpaceToUnderscore);
  EXPECT_TRUE(settings.RemoveSpaces);
  EXPECT_FALSE(settings.ShowHelp);
  EXPECT_EQ(settings.FileMask, "song.mp3");
}

TEST(ReadArguments, PreviewIsAPlainOnSwitch) {
  TRunSettings settings;
  Read({"-n", "-NX", "-NO"}, settings);
  EXPECT_TRUE(settings.Preview);
  TRunSettings unknownOnly;
  Read({"-NX", "-NO"}, unknownOnly);
  EXPECT_FALSE(unknownOnly.Preview);
}

TEST(ReadArguments, HelpByEitherLetter) {
  for (const char* help : {"-h", "-?", "-H"}) {
    TRunSettings settings;
    Read({help}, settings);
    EXPECT_TRUE(settings.ShowHelp) << help;
  }
}

TEST(ReadArguments, MacroIsUpperCasedAndOnlyOneIsAccepted) {
  TRunSettings settings;
  EXPECT_EQ(Read({"-m#x#.mp3"}, settings).Error, TArgumentError::None);
  EXPECT_EQ(settings.RenameMacro, "#X#.MP3");

  TRunSettings twice;
  const TArgumentResult result = Read({"-Mabc", "-M"}, twice);
  EXPECT_EQ(result.Error, TArgumentError::TooManyMacros);

  // "M" alone sets nothing, so a later macro is still taken.
  TRunSettings empty;
  EXPECT_EQ(Read({"-M", "-Mxyz"}, empty).Error, TArgumentError::None);
  EXPECT_EQ(empty.RenameMacro, "XYZ");
}

TEST(ReadArguments, FileNameThatBeginsWithDashIsASwitch) {
  TRunSettings ignored;
  Read({"-song.mp3"}, ignored);
  EXPECT_FALSE(ignored.FileNameSeen);
  EXPECT_TRUE(ignored.RenameMacro.empty());

  TRunSettings macro;
  Read({"-mix.mp3"}, macro);
  EXPECT_EQ(macro.RenameMacro, "IX.MP3");
}

TEST(ReadArguments, FirstErrorDecides) {
  struct Case {
    std::vector<std::string> arguments;
    TArgumentError error;
    std::string argument;
  };
  const Case cases[] = {
      {{"a.mp3", "b.mp3", "-?"}, TArgumentError::UnexpectedParameter, "b.mp3"},
      {{"-", "a.mp3"}, TArgumentError::WrongParameter, "-"},
      {{"-Ma", "-Mb", "a", "b"}, TArgumentError::TooManyMacros, "-Mb"},
      {{"a", "-", "b"}, TArgumentError::WrongParameter, "-"},
  };
  for (const Case& c : cases) {
    TRunSettings settings;
    const TArgumentResult result = Read(c.arguments, settings);
    EXPECT_EQ(result.Error, c.error) << c.argument;
    EXPECT_EQ(result.Argument, c.argument);
  }
}

TEST(ReadArguments, SlashIsASwitchOnlyInWindowsStyle) {
  TRunSettings posix;
  Read({"/music/*.mp3"}, posix, PathStyle::Posix);
  EXPECT_EQ(posix.FileMask, "/music/*.mp3");

  TRunSettings windows;
  Read({"/S", "-u", "C:\\MUSIC\\*.*"}, windows, PathStyle::Windows);
  EXPECT_TRUE(windows.SearchSubdirs);
  EXPECT_TRUE(windows.SpaceToUnderscore);
  EXPECT_EQ(windows.FileMask, "C:\\MUSIC\\*.*");
}

}  // namespace
