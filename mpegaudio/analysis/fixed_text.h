// Counted 8-bit texts of fixed capacity: storing a longer text keeps its
// first Capacity characters. NUL is an ordinary character here (a tag year
// can be four NULs).
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

template <std::size_t Capacity>
class TFixedText {
 public:
  constexpr TFixedText() = default;
  TFixedText(std::string_view text) { Assign(text); }  // NOLINT: a text is a text
  TFixedText& operator=(std::string_view text) {
    Assign(text);
    return *this;
  }

  void Assign(std::string_view text) {
    length_ = std::min(text.size(), Capacity);
    if (length_ > 0) std::memcpy(chars_.data(), text.data(), length_);
  }
  void Clear() { length_ = 0; }

  std::string_view View() const { return {chars_.data(), length_}; }
  operator std::string_view() const { return View(); }  // NOLINT
  std::string Str() const { return std::string(View()); }

  std::size_t size() const { return length_; }
  bool empty() const { return length_ == 0; }
  static constexpr std::size_t capacity() { return Capacity; }

  friend bool operator==(const TFixedText& a, std::string_view b) {
    return a.View() == b;
  }

 private:
  std::array<char, Capacity> chars_{};
  std::size_t length_ = 0;
};
