// Building a tagged file's new name.
#pragma once

#include <string>
#include <string_view>

// "ARTIST - Title.mp3": the artist upper-cased (ASCII only), the separator
// only when both parts are there.
std::string DefaultName(std::string_view artist, std::string_view title);

// /R removes every space; /U then turns every remaining space into '_'.
void ApplySpaceOptions(std::string& name, bool removeSpaces, bool spaceToUnderscore);

// Every character a file name cannot hold becomes '#', so the name never
// holds a directory separator or a drive colon. '&' is replaced as well.
void ReplaceForbiddenChars(std::string& name);
