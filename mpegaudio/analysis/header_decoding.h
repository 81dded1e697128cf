// MPEG audio frame header words and their tables.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "audio_info.h"

// Writes the header fields of `info` from `word` (first byte most
// significant) and answers IsValidInfo of the result. Reads FileSize and
// FileDate, which the caller sets first.
bool DecodeHeader(std::uint32_t word, TAudioInfo& info);

// Frame length in bytes, padding included.
std::int32_t CalcFrameLength(std::uint8_t version, std::uint8_t layer,
                             std::int32_t sampleRate, std::int32_t bitRate,
                             std::uint8_t padding);

// Samples one frame of the stream carries: 384, 1152 or 576.
std::int32_t SamplesPerFrame(std::uint8_t version, std::uint8_t layer);

std::uint32_t ReadBigEndian32(const unsigned char* bytes);

inline constexpr std::array<std::string_view, 4> VersionNames = {
    "Unknown", "1.0", "2.0", "2.5"};
inline constexpr std::array<std::string_view, 4> LayerNames = {
    "Unknown", "I", "II", "III"};
inline constexpr std::array<std::string_view, 4> ModeNames = {
    "Stereo", "Joint-Stereo", "Dual-Channel", "Single-Channel"};
