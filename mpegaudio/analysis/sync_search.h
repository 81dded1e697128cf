// Buffered reading of an open file and the search for a frame header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "mpegaudio/analysis/audio_info.h"
#include "platform/platform.h"

// Serves reads from one block of the file. The block starts small, since
// most files have their first header at byte 0, and doubles with every
// load, so that a long run of leading data (an ID3v2 block, a file with no
// audio) is crossed in large reads while memory stays bounded. 256 KiB
// blocks stay in the processor's cache between the read and the search,
// which larger ones do not.
class TBlockReader {
 public:
  static constexpr std::size_t kFirstBlockSize = 4096;
  static constexpr std::size_t kLargestBlockSize = std::size_t{1} << 18;
  static constexpr std::int64_t kAlignment = 4096;

  // `storage` is kept by the caller so that no file allocates its own.
  TBlockReader(const platform::ReadOnlyFile& file, std::int64_t fileSize,
               std::vector<unsigned char>& storage);

  // The `count` bytes at `position`, loading a block that starts at or just
  // before it when the current one does not hold them; null when the file
  // has fewer or a read fails.
  const unsigned char* Bytes(std::int64_t position, std::size_t count);
  // Copies the `count` bytes at `position` to `out` from the block when it
  // holds them, else by a direct read that leaves the block alone.
  bool Copy(std::int64_t position, std::size_t count, unsigned char* out) const;

  std::int64_t BlockStart() const { return start_; }
  std::int64_t BlockEnd() const { return end_; }
  std::int64_t FileSize() const { return fileSize_; }

 private:
  // An ID3v2 block in front declares its size, and the search must cross it
  // byte by byte: read it whole at the next load instead of growing towards
  // it in several. Only the read size changes, never what is searched.
  void SizeNextReadForId3v2();

  const platform::ReadOnlyFile& file_;
  std::int64_t fileSize_;
  std::vector<unsigned char>& storage_;
  std::size_t nextBlockSize_ = kFirstBlockSize;
  std::int64_t start_ = 0;
  std::int64_t end_ = 0;
};

using TPumpFunc = void (*)();

// The byte search of one pass. `position` is the file position just past
// the four bytes of `word`. Advances until DecodeHeader accepts the word,
// the position reaches the end of the file, or it passes `scanLimit`
// (0 or negative: no limit). Positions, words and every DecodeHeader answer
// are those of a reader that takes one byte at a time; `pump` runs whenever
// the position crosses a multiple of 300, at least once per crossing run.
// False when a read fails.
bool SearchHeader(TBlockReader& reader, TAudioInfo& info, std::int64_t scanLimit,
                  std::int64_t& position, std::uint32_t& word, TPumpFunc pump);

inline constexpr std::int64_t kPumpInterval = 300;
