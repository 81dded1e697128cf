#include "mpegaudio/macros/item_formatting.h"

#include <algorithm>

#include "mpegaudio/analysis/id3v1_tag.h"

namespace {

int DigitValue(char c, int base) {
  int digit = -1;
  if (c >= '0' && c <= '9') digit = c - '0';
  else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
  return digit < base ? digit : -1;
}

void AppendFill(std::string& out, char fill, std::int32_t count) {
  if (count > 0) out.append(static_cast<std::size_t>(count), fill);
}

void AppendLeftPart(std::string& out, std::string_view value, std::int32_t width) {
  if (width > 0) out.append(value.substr(0, static_cast<std::size_t>(width)));
}

void AppendAligned(std::string& out, std::string_view value, char align, std::int32_t width,
                   char fill) {
  if (align != 'L' && align != 'R' && align != 'C') {
    // 'T', or whatever else a default alignment holds: no fill, no cut.
    out.append(value);
    return;
  }
  if (width <= 0) return;
  const auto length = static_cast<std::int64_t>(value.size());
  if (width < length) {
    AppendLeftPart(out, value, width);
    return;
  }
  const auto gap = static_cast<std::int32_t>(width - length);
  switch (align) {
    case 'L':
      out.append(value);
      AppendFill(out, fill, gap);
      break;
    case 'R':
      AppendFill(out, fill, gap);
      out.append(value);
      break;
    case 'C':
      AppendFill(out, fill, gap / 2);
      out.append(value);
      AppendFill(out, fill, gap - gap / 2);
      break;
  }
}

void UpperInPlace(std::string& text) {
  for (char& c : text) c = UpCase(c);
}

void LowerInPlace(std::string& text) {
  for (char& c : text) c = LowCase(c);
}

void CapitalizeWordsInPlace(std::string& text, const TCharSet& separators) {
  if (text.empty()) return;
  text[0] = UpCase(text[0]);
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (separators.Contains(text[i - 1])) text[i] = UpCase(text[i]);
  }
}

char FirstUpper(std::string_view field) { return field.empty() ? '\0' : UpCase(field[0]); }

}  // namespace

bool ReadInteger(std::string_view text, std::int32_t& value) {
  int base = 10;
  bool negative = false;
  if (!text.empty() && text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  const std::int64_t limit = negative ? std::int64_t{INT32_MAX} + 1 : INT32_MAX;
  std::int64_t magnitude = 0;
  for (char c : text) {
    const int digit = DigitValue(c, base);
    if (digit < 0) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return false;
  }
  value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return true;
}

std::string UpperCase(std::string_view value) {
  std::string result(value);
  UpperInPlace(result);
  return result;
}

std::string LowerCase(std::string_view value) {
  std::string result(value);
  LowerInPlace(result);
  return result;
}

std::string FillString(char fill, std::int32_t width) {
  std::string result;
  AppendFill(result, fill, width);
  return result;
}

std::string LeftPart(std::string_view value, std::int32_t width) {
  std::string result;
  AppendLeftPart(result, value, width);
  return result;
}

std::string AlignLeft(std::string_view value, std::int32_t width, char fill) {
  std::string result;
  AppendAligned(result, value, 'L', width, fill);
  return result;
}

std::string AlignRight(std::string_view value, std::int32_t width, char fill) {
  std::string result;
  AppendAligned(result, value, 'R', width, fill);
  return result;
}

std::string AlignCenter(std::string_view value, std::int32_t width, char fill) {
  std::string result;
  AppendAligned(result, value, 'C', width, fill);
  return result;
}

std::string CapitalizeWords(std::string_view value, const TCharSet& separators) {
  std::string result(value);
  CapitalizeWordsInPlace(result, separators);
  return result;
}

std::string CapitalizeFirst(std::string_view value) {
  std::string result(value);
  if (!result.empty()) result[0] = UpCase(result[0]);
  return result;
}

void AppendFormattedValue(std::string& out, std::string& value, const TItemFields& fields,
                          std::int32_t implicitWidth, char defaultAlign, char defaultCase) {
  std::int32_t width = -1;
  if (!ReadInteger(Strip(fields.Width), width)) width = -1;

  char align = FirstUpper(Strip(fields.Align));
  if (align != 'C' && align != 'L' && align != 'R' && align != 'T') {
    // A width without a valid alignment letter is ignored.
    align = defaultAlign;
    width = 0;
  }

  const std::string_view fillField = Strip(fields.Fill);
  const char fill = fillField.empty() ? ' ' : fillField[0];

  char caseLetter = FirstUpper(Strip(fields.Case));
  if (caseLetter != 'C' && caseLetter != 'F' && caseLetter != 'L' && caseLetter != 'N' &&
      caseLetter != 'U') {
    caseLetter = defaultCase;
  }
  switch (caseLetter) {
    case 'C': CapitalizeWordsInPlace(value, WordSeparators); break;
    case 'F': if (!value.empty()) value[0] = UpCase(value[0]); break;
    case 'L': LowerInPlace(value); break;
    case 'U': UpperInPlace(value); break;
    default: break;
  }

  if (width < 0) {
    out.append(value);
    return;
  }
  if (width == 0) width = implicitWidth;
  AppendAligned(out, value, align, std::min(width, kMaxItemWidth), fill);
}
