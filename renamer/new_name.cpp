#include "renamer/new_name.h"

#include <algorithm>
#include <string_view>

#include "renamer/command_line.h"

std::string DefaultName(std::string_view artist, std::string_view title) {
  std::string name = UpperCaseAscii(artist);
  if (!artist.empty() && !title.empty()) name += " - ";
  name += title;
  name += ".mp3";
  return name;
}

void ApplySpaceOptions(std::string& name, bool removeSpaces, bool spaceToUnderscore) {
  if (removeSpaces) name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
  if (spaceToUnderscore) std::replace(name.begin(), name.end(), ' ', '_');
}

void ReplaceForbiddenChars(std::string& name) {
  constexpr std::string_view kForbiddenChars = "\"&*/:<>?\\|";
  for (char& c : name) {
    if (kForbiddenChars.find(c) != std::string_view::npos) c = '#';
  }
}
