// A set of 8-bit characters, built at compile time from the characters it
// holds.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

class TCharSet {
 public:
  constexpr explicit TCharSet(std::string_view chars) {
    for (char c : chars) {
      const auto code = static_cast<unsigned char>(c);
      bits_[code / 64] |= std::uint64_t{1} << (code % 64);
    }
  }

  constexpr bool Contains(char c) const {
    const auto code = static_cast<unsigned char>(c);
    return (bits_[code / 64] >> (code % 64)) & 1U;
  }

 private:
  std::array<std::uint64_t, 4> bits_{};
};
