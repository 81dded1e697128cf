#include "mpegaudio/analysis/sync_search.h"

#include <algorithm>
#include <cstring>

#include "mpegaudio/analysis/header_decoding.h"

TBlockReader::TBlockReader(const platform::ReadOnlyFile& file, std::int64_t fileSize,
                           std::vector<unsigned char>& storage)
    : file_(file), fileSize_(fileSize), storage_(storage) {}

const unsigned char* TBlockReader::Bytes(std::int64_t position, std::size_t count) {
  const auto wanted = static_cast<std::int64_t>(count);
  if (position < 0 || position > fileSize_ - wanted) return nullptr;
  if (position < start_ || position + wanted > end_) {
    // Blocks start on a page boundary: the system copies whole pages.
    const std::int64_t start = position & ~std::int64_t{kAlignment - 1};
    const std::size_t size = static_cast<std::size_t>(std::max<std::int64_t>(
        position + wanted - start,
        std::min<std::int64_t>(static_cast<std::int64_t>(nextBlockSize_), fileSize_ - start)));
    if (storage_.size() < size) storage_.resize(size);
    start_ = end_ = 0;
    if (!file_.ReadExactly(start, storage_.data(), size)) return nullptr;
    start_ = start;
    end_ = start + static_cast<std::int64_t>(size);
    nextBlockSize_ = std::min(nextBlockSize_ * 2, kLargestBlockSize);
    if (start == 0) SizeNextReadForId3v2();
  }
  return storage_.data() + (position - start_);
}

void TBlockReader::SizeNextReadForId3v2() {
  // "ID3", version (2), flags (1), then the size in four 7-bit bytes.
  constexpr std::int64_t kHeaderSize = 10;
  const unsigned char* head = storage_.data();
  if (end_ < kHeaderSize || head[0] != 'I' || head[1] != 'D' || head[2] != '3') return;
  if (((head[6] | head[7] | head[8] | head[9]) & 0x80) != 0) return;
  const std::int64_t declared = (std::int64_t{head[6]} << 21) | (std::int64_t{head[7]} << 14) |
                                (std::int64_t{head[8]} << 7) | std::int64_t{head[9]};
  // Up to the end of the block and one page of the audio behind it.
  const std::int64_t wanted = kHeaderSize + declared + kAlignment - end_;
  if (wanted <= 0) return;
  const std::int64_t rounded = (wanted + kAlignment - 1) & ~(kAlignment - 1);
  nextBlockSize_ = std::clamp(static_cast<std::size_t>(rounded), nextBlockSize_, kLargestBlockSize);
}

bool TBlockReader::Copy(std::int64_t position, std::size_t count, unsigned char* out) const {
  const auto wanted = static_cast<std::int64_t>(count);
  if (position < 0 || position > fileSize_ - wanted) return false;
  if (position >= start_ && position + wanted <= end_) {
    std::memcpy(out, storage_.data() + (position - start_), count);
    return true;
  }
  return file_.ReadExactly(position, out, count);
}

bool SearchHeader(TBlockReader& reader, TAudioInfo& info, std::int64_t scanLimit,
                  std::int64_t& position, std::uint32_t& word, TPumpFunc pump) {
  const std::int64_t fileSize = reader.FileSize();
  // The search stops once the position reaches this, having decoded there.
  std::int64_t stop = fileSize;
  if (scanLimit > 0) stop = std::min(stop, scanLimit + 1);
  while (!DecodeHeader(word, info)) {
    if (position >= stop) break;
    // A header's first byte is 0xFF, so every word starting at another byte
    // is rejected unread: jump to the next 0xFF within the block, or to the
    // stop, or to the end of the block.
    const std::int64_t from = position - 3;  // first byte of the next word
    if (from >= reader.BlockEnd() || from < reader.BlockStart()) {
      if (reader.Bytes(from, 4) == nullptr) return false;
    }
    const std::int64_t lastStart = stop - 4;  // first byte of the word at the stop
    const std::int64_t scanEnd = std::min(lastStart + 1, reader.BlockEnd());
    std::int64_t next = lastStart;
    if (from < scanEnd) {
      const unsigned char* base = reader.Bytes(from, 1);
      const auto* found = static_cast<const unsigned char*>(
          std::memchr(base, 0xFF, static_cast<std::size_t>(scanEnd - from)));
      if (found != nullptr) {
        next = from + (found - base);
      } else if (scanEnd < lastStart + 1) {
        next = scanEnd - 1;  // the block ends first; go on in the next one
      }
    }
    const std::int64_t previous = position;
    position = next + 4;
    if (position / kPumpInterval > previous / kPumpInterval) pump();
    const unsigned char* bytes = reader.Bytes(next, 4);
    if (bytes == nullptr) return false;
    word = ReadBigEndian32(bytes);
  }
  return true;
}
