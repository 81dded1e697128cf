// What a read-only file does the same on every system; opening, closing
// and reading at a position are each platform's own.
#include "platform/platform.h"

namespace platform {

ReadOnlyFile::~ReadOnlyFile() { Close(); }

std::int64_t ReadOnlyFile::Size() const { return IsOpen() ? size_ : -1; }

std::int32_t ReadOnlyFile::DosDateTime() const { return IsOpen() ? dosDateTime_ : -1; }

std::uint16_t ReadOnlyFile::Attributes() const { return IsOpen() ? attributes_ : 0; }

bool ReadOnlyFile::ReadExactly(std::int64_t position, void* buffer,
                               std::size_t count) const {
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (count > 0) {
    const std::int64_t read = ReadAt(position, bytes, count);
    if (read <= 0) return false;
    bytes += read;
    position += read;
    count -= static_cast<std::size_t>(read);
  }
  return true;
}

}  // namespace platform
