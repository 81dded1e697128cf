// The Xing variable-bit-rate header inside the first frame of a stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

inline constexpr std::size_t kXingIdSize = 4;
// What follows "Xing" at its largest: flags, frame count, byte count, table
// of contents and quality, read whole whatever the flags say.
inline constexpr std::size_t kXingBodySize = 4 + 4 + 4 + 100 + 4;

// Distance from the first byte of the frame header to "Xing"; it skips the
// side information, whose size depends on version and channel count.
std::int64_t XingOffset(std::uint8_t version, std::uint8_t mode);

bool IsXingId(std::span<const unsigned char, kXingIdSize> bytes);

// The frame count of the body, 0 when the flags say none is there (or the
// stored count is not a positive number).
std::int64_t XingFrameCount(std::span<const unsigned char, kXingBodySize> body);

// Whole seconds of `frameCount` frames, the exact quotient rounded half to
// even; 0 for a sample rate of 0.
std::int64_t XingDuration(std::int64_t frameCount, std::int32_t samplesPerFrame,
                          std::int32_t sampleRate);
