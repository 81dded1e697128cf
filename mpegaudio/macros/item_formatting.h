// Item formatting: alignment, width, fill and case applied to a resolved
// item value. Case conversion is ASCII only throughout.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "mpegaudio/macros/char_set.h"

// The characters after which CapitalizeWords starts a new word.
inline constexpr TCharSet WordSeparators{" !(),./:;<>?"};

// No item is made wider than this: a mistyped width must not cost gigabytes
// for every file.
inline constexpr std::int32_t kMaxItemWidth = 65535;

constexpr char UpCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char LowCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Reads an optional sign and decimal digits, or '$' and hexadecimal digits:
// the whole text, within the 32-bit signed range. False for anything else.
bool ReadInteger(std::string_view text, std::int32_t& value);

std::string UpperCase(std::string_view value);
std::string LowerCase(std::string_view value);

// `width` copies of `fill`; empty when width <= 0.
std::string FillString(char fill, std::int32_t width);
// The first `width` characters of `value` (all of it when shorter).
std::string LeftPart(std::string_view value, std::int32_t width);

// The aligners fill up to `width`, or cut a longer value to its first
// `width` characters; all give an empty text for a width <= 0.
std::string AlignLeft(std::string_view value, std::int32_t width, char fill);
std::string AlignRight(std::string_view value, std::int32_t width, char fill);
// An odd gap puts the extra fill character on the right.
std::string AlignCenter(std::string_view value, std::int32_t width, char fill);

// Upper-cases the first character and every character that follows one of
// `separators`.
std::string CapitalizeWords(std::string_view value, const TCharSet& separators);
std::string CapitalizeFirst(std::string_view value);

// Fields 2 to 5 of an item, as written (the formatter strips them).
struct TItemFields {
  std::string_view Align;
  std::string_view Width;
  std::string_view Fill;
  std::string_view Case;
};

// Appends `value` to `out` shaped by the item's fields; where a field is
// empty or not valid, the implicit width and the default alignment and case
// apply. Converts `value` in place on the way.
void AppendFormattedValue(std::string& out, std::string& value, const TItemFields& fields,
                          std::int32_t implicitWidth, char defaultAlign, char defaultCase);
