#include "renamer/messages.h"

#include <array>
#include <span>

namespace {

// Every line ends in the line end, the last one too.
std::string JoinLines(std::span<const std::string> lines, std::string_view lineEnd) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += lineEnd;
  }
  return text;
}

}  // namespace

std::string BannerText(std::string_view lineEnd) {
  const std::array<std::string, 3> lines = {
      "Norvel " + std::string(kNorvelVersion) + " - renames MPEG audio files by their ID3v1 tags",
      "Free software, provided as is without warranty: keep a backup of your files.",
      "Project home: https://norvel.example.org/",
  };
  return JoinLines(lines, lineEnd);
}

std::string HelpText(platform::PathStyle style, std::string_view lineEnd) {
  const bool posix = style == platform::PathStyle::Posix;
  const std::string s = posix ? "-" : "/";
  const std::array<std::string, 17> lines = {
      "This Windows95/NT application renames MPEG Audio files according to the",
      "tag contents. You may set renaming rules.",
      "",
      "Syntax: " + std::string(posix ? "norvel" : "NORVEL") + " <filename> [" + s + "S] [" + s +
          "U] [" + s + "R] [" + s + "N] [" + s + "M<macro>] [" + s + "?] [" + s + "H]",
      "",
      " <filename> Path and filename that should be renamed. DOS wildcards allowed.",
      " " + s + "S         Also search all subdirectories for matching filenames",
      " " + s + "U         Replace every space to underscore in new file name",
      " " + s + "R         Remove spaces from new file name",
      " " + s + "N         Preview the new names without renaming anything",
      " " + s + "M<macro>  Use macro to create output file name (see zentrax.txt)",
      " " + s + "? or " + s + "H   This help",
      "Characters which are not allowed in file names will be always replaced",
      "with '#' (hash) in output file name. Be careful about using macros.",
      "You may create lot of mess.",
      "",
      "Norvel uses Corvane, the library for MPEG audio file support. ",
  };
  return JoinLines(lines, lineEnd);
}
