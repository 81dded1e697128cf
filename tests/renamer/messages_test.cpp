#include "renamer/messages.h"

#include <gtest/gtest.h>

namespace {

TEST(HelpText, WindowsStyleHasCrLfLinesAndThePreviewSwitch) {
  const std::string help = HelpText(platform::PathStyle::Windows, "\r\n");
  EXPECT_TRUE(help.starts_with(
      "This Windows95/NT application renames MPEG Audio files according to the\r\n"));
  EXPECT_NE(help.find("\r\nSyntax: NORVEL <filename> [/S] [/U] [/R] [/N] [/M<macro>] [/?] [/H]\r\n"),
            std::string::npos);
  EXPECT_NE(help.find("\r\n /? or /H   This help\r\n"), std::string::npos);
  EXPECT_TRUE(help.ends_with("library for MPEG audio file support. \r\n"));
  std::size_t lines = 0;
  for (std::size_t at = help.find("\r\n"); at != std::string::npos; at = help.find("\r\n", at + 2)) {
    ++lines;
  }
  EXPECT_EQ(lines, 17u);
  EXPECT_NE(help.find("\r\n /R         Remove spaces from new file name\r\n"
                      " /N         Preview the new names without renaming anything\r\n"),
            std::string::npos);
}

TEST(HelpText, PosixStyleShowsDashSwitchesAndLowerCaseName) {
  const std::string help = HelpText(platform::PathStyle::Posix, "\n");
  EXPECT_NE(help.find("\nSyntax: norvel <filename> [-S] [-U] [-R] [-N] [-M<macro>] [-?] [-H]\n"),
            std::string::npos);
  EXPECT_NE(help.find("\n -S         Also search all subdirectories for matching filenames\n"),
            std::string::npos);
  EXPECT_NE(help.find("\n -M<macro>  Use macro to create output file name (see zentrax.txt)\n"),
            std::string::npos);
  EXPECT_EQ(help.find('\r'), std::string::npos);
}

}  // namespace
