#include "platform/text_encoding.h"

#include <array>
#include <cstdint>

namespace platform {
namespace {

// Windows-1252 0x80..0x9F; 0xFFFD where the code page defines nothing.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Length of the valid UTF-8 sequence starting at text[i], 0 when there is
// none (overlong forms, surrogates and codes past U+10FFFF are invalid).
std::size_t ValidSequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
  const std::uint8_t lead = byte(i);
  std::size_t length;
  std::uint8_t low = 0x80, high = 0xBF;  // bounds of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

std::string RepairUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    if (lead < 0x80) {
      out += text[i++];
      continue;
    }
    if (const std::size_t length = ValidSequenceLength(text, i)) {
      out.append(text, i, length);
      i += length;
      continue;
    }
    AppendUtf8(out, lead < 0xA0 ? kWindows1252High[lead - 0x80] : char32_t{lead});
    ++i;
  }
  return out;
}

std::string ToFileSystemName(std::string_view text) {
#ifdef _WIN32
  // The ANSI file functions convert from the code page themselves.
  return std::string(text);
#else
  return RepairUtf8(text);
#endif
}

}  // namespace platform
