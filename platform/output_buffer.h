// Standard output's buffer. How the bytes reach the system is each
// platform's own; collecting them is the same everywhere.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace platform {

// Collects output until Flush and hands it to WriteAll in one piece. WriteAll
// writes everything or ends the process.
template <void (*WriteAll)(const char* data, std::size_t count)>
class TOutputBuffer {
 public:
  void Append(std::string_view text) {
    // An empty view may carry no pointer at all, which memcpy must not see.
    if (text.empty()) return;
    if (used_ + text.size() > sizeof(buffer_)) Flush();
    if (text.size() >= sizeof(buffer_)) {
      WriteAll(text.data(), text.size());
      return;
    }
    std::memcpy(buffer_ + used_, text.data(), text.size());
    used_ += text.size();
  }

  void Flush() {
    const std::size_t count = used_;
    used_ = 0;
    WriteAll(buffer_, count);
  }

 private:
  char buffer_[64 * 1024];
  std::size_t used_ = 0;
};

}  // namespace platform
