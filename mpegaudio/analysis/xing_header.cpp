#include "mpegaudio/analysis/xing_header.h"

#include "mpegaudio/analysis/header_decoding.h"

namespace {
constexpr std::uint32_t kFrameCountFlag = 1u;
}

std::int64_t XingOffset(std::uint8_t version, std::uint8_t mode) {
  const bool mono = mode == 3;
  if (version == 1) return mono ? 21 : 36;
  return mono ? 13 : 21;
}

bool IsXingId(std::span<const unsigned char, kXingIdSize> bytes) {
  return bytes[0] == 'X' && bytes[1] == 'i' && bytes[2] == 'n' && bytes[3] == 'g';
}

std::int64_t XingFrameCount(std::span<const unsigned char, kXingBodySize> body) {
  const std::uint32_t flags = ReadBigEndian32(body.data());
  if ((flags & kFrameCountFlag) == 0) return 0;
  // Stored signed; a negative count is as useless as none.
  const auto count = static_cast<std::int32_t>(ReadBigEndian32(body.data() + 4));
  return count > 0 ? count : 0;
}

std::int64_t XingDuration(std::int64_t frameCount, std::int32_t samplesPerFrame,
                          std::int32_t sampleRate) {
  if (sampleRate <= 0) return 0;
  // Integer arithmetic, so that no floating-point error can move a half.
  const std::int64_t samples = frameCount * samplesPerFrame;
  const std::int64_t quotient = samples / sampleRate;
  const std::int64_t twiceRemainder = 2 * (samples % sampleRate);
  if (twiceRemainder > sampleRate || (twiceRemainder == sampleRate && quotient % 2 == 1)) {
    return quotient + 1;
  }
  return quotient;
}
