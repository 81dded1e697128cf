#include "mpegaudio/analysis/header_decoding.h"

namespace {

// Header word, first byte most significant:
//   31-21 sync  20-19 version  18-17 layer  16 protection  15-12 bit rate
//   11-10 sample rate  9 padding  8 private  7-6 mode  5-4 extension
//   3 copyright  2 original  1-0 emphasis
constexpr std::uint32_t kSyncWord = 0xFFE00000u;

// By version code 1..3 (index 0 unused) and sampling-frequency index.
constexpr std::array<std::array<std::int32_t, 4>, 4> kSampleRates = {{
    {0, 0, 0, 0},
    {44100, 48000, 32000, 0},
    {22050, 24000, 16000, 0},
    {11025, 12000, 8000, 0},
}};

using TBitRateRow = std::array<std::uint16_t, 16>;
// Index 0 (free format) and 15 (forbidden) carry no usable rate.
constexpr TBitRateRow kMpeg1Layer1 = {0,   32,  64,  96,  128, 160, 192, 224,
                                      256, 288, 320, 352, 384, 416, 448, 0};
constexpr TBitRateRow kMpeg1Layer2 = {0,   32,  48,  56,  64,  80,  96,  112,
                                      128, 160, 192, 224, 256, 320, 384, 0};
constexpr TBitRateRow kMpeg1Layer3 = {0,   32,  40,  48,  56,  64,  80,  96,
                                      112, 128, 160, 192, 224, 256, 320, 0};
// The low sampling frequencies (MPEG 2, also used for MPEG 2.5).
constexpr TBitRateRow kMpeg2Layer1 = {0,   32,  48,  56,  64,  80,  96,  112,
                                      128, 144, 160, 176, 192, 224, 256, 0};
constexpr TBitRateRow kMpeg2Layer23 = {0,  8,  16, 24,  32,  40,  48,  56,
                                       64, 80, 96, 112, 128, 144, 160, 0};

constexpr std::int32_t BitRateOf(std::uint8_t version, std::uint8_t layer,
                                 std::uint32_t index) {
  if (layer == 0) return 0;
  if (version == 1) {
    const TBitRateRow& row = layer == 1 ? kMpeg1Layer1 : layer == 2 ? kMpeg1Layer2 : kMpeg1Layer3;
    return row[index];
  }
  return layer == 1 ? kMpeg2Layer1[index] : kMpeg2Layer23[index];
}

}  // namespace

std::uint32_t ReadBigEndian32(const unsigned char* bytes) {
  return (static_cast<std::uint32_t>(bytes[0]) << 24) |
         (static_cast<std::uint32_t>(bytes[1]) << 16) |
         (static_cast<std::uint32_t>(bytes[2]) << 8) | static_cast<std::uint32_t>(bytes[3]);
}

std::int32_t SamplesPerFrame(std::uint8_t version, std::uint8_t layer) {
  switch (layer) {
    case 1: return 384;
    case 2: return 1152;
    case 3: return version == 1 ? 1152 : 576;
    default: return 0;
  }
}

std::int32_t CalcFrameLength(std::uint8_t version, std::uint8_t layer,
                             std::int32_t sampleRate, std::int32_t bitRate,
                             std::uint8_t padding) {
  if (sampleRate <= 0) return 0;
  const std::int64_t rate = bitRate;
  if (layer == 1) {
    // Layer I counts in slots of four bytes; padding adds one slot.
    return static_cast<std::int32_t>(4 * (12000 * rate / sampleRate + padding));
  }
  // A frame carries SamplesPerFrame / 8 bytes per bit/s: 144 for 1152
  // samples, 72 for the 576 of MPEG 2 and 2.5 Layer III.
  const std::int64_t factor = (layer == 3 && version != 1) ? 72000 : 144000;
  return static_cast<std::int32_t>(factor * rate / sampleRate + padding);
}

bool DecodeHeader(std::uint32_t word, TAudioInfo& info) {
  info.Version = 0;
  info.Layer = 0;
  info.SampleRate = 0;
  info.Mode = 0;
  info.Copyright = 0;
  info.Original = 0;
  info.ErrorProtection = 0;
  info.Padding = 0;
  info.BitRate = 0;
  info.FrameLength = 0;
  if (word < kSyncWord) return false;

  static constexpr std::array<std::uint8_t, 4> kVersionCodes = {3, 0, 2, 1};
  info.Version = kVersionCodes[(word >> 19) & 3];
  if (info.Version != 0) {
    const std::uint8_t layerBits = (word >> 17) & 3;
    info.Layer = layerBits == 0 ? 0 : static_cast<std::uint8_t>(4 - layerBits);
    info.SampleRate = kSampleRates[info.Version][(word >> 10) & 3];
    info.ErrorProtection = ((word >> 16) & 1) == 0 ? 1 : 0;
    info.Copyright = (word >> 3) & 1;
    info.Original = (word >> 2) & 1;
    info.Mode = (word >> 6) & 3;
    info.Padding = (word >> 9) & 1;
    info.BitRate = BitRateOf(info.Version, info.Layer, (word >> 12) & 15);
    // 64 bits: FileSize * 8 overflows 32 bits from 256 MiB on. Only the low
    // 16 bits of the seconds are kept.
    info.Duration = info.BitRate == 0
                        ? 0
                        : static_cast<std::uint16_t>(info.FileSize * 8 /
                                                     (std::int64_t{info.BitRate} * 1000));
    info.FrameLength = static_cast<std::uint16_t>(CalcFrameLength(
        info.Version, info.Layer, info.SampleRate, info.BitRate, info.Padding));
  }
  return IsValidInfo(info);
}

bool IsValidInfo(const TAudioInfo& info) {
  return info.FileSize > 5 && info.Version != 0 && info.Layer != 0 && info.FileDate != 0 &&
         info.BitRate >= -1 && info.BitRate != 0 && info.SampleRate > 0;
}
