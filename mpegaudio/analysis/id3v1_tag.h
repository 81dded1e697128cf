// The 128-byte ID3v1 tag at the end of a file, the text cleaners and the
// genre names.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "audio_info.h"

inline constexpr std::size_t kTagSize = 128;

// True when the block starts with "TAG" (case-sensitive).
bool IsTagBlock(std::span<const unsigned char, kTagSize> block);
// Fills the tag fields of `info` from a block that IsTagBlock accepted.
void ReadTag(std::span<const unsigned char, kTagSize> block, TAudioInfo& info);

// Cut at the first NUL, then drop trailing spaces and NULs.
std::string_view StripRight(std::string_view text);
// Drop leading spaces (only spaces).
std::string_view StripLeft(std::string_view text);
std::string_view Strip(std::string_view text);

extern const std::array<std::string_view, 126> GenreNames;
