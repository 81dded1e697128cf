#include "tests/support/mpeg_fixtures.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fixtures {
namespace {

// Bit-rate rows of ISO/IEC 11172-3 and 13818-3, index 1..14.
constexpr std::array<int, 15> kMpeg1Layer1 = {0,   32,  64,  96,  128, 160, 192, 224,
                                              256, 288, 320, 352, 384, 416, 448};
constexpr std::array<int, 15> kMpeg1Layer2 = {0,   32,  48,  56,  64,  80,  96, 112,
                                              128, 160, 192, 224, 256, 320, 384};
constexpr std::array<int, 15> kMpeg1Layer3 = {0,   32,  40,  48,  56,  64,  80, 96,
                                              112, 128, 160, 192, 224, 256, 320};
constexpr std::array<int, 15> kMpeg2Layer1 = {0,   32,  48,  56,  64,  80,  96, 112,
                                              128, 144, 160, 176, 192, 224, 256};
constexpr std::array<int, 15> kMpeg2Layer23 = {0,  8,  16, 24,  32,  40,  48, 56,
                                               64, 80, 96, 112, 128, 144, 160};

const std::array<int, 15>& BitRateRow(const HeaderFields& header) {
  if (header.version == Version::Mpeg1) {
    return header.layer == 1 ? kMpeg1Layer1 : header.layer == 2 ? kMpeg1Layer2 : kMpeg1Layer3;
  }
  return header.layer == 1 ? kMpeg2Layer1 : kMpeg2Layer23;
}

int SampleRateIndex(const HeaderFields& header) {
  const int base = header.version == Version::Mpeg1   ? 44100
                   : header.version == Version::Mpeg2 ? 22050
                                                    : 11025;
  const std::array<int, 3> rates = {base, base * 48000 / 44100, base * 32000 / 44100};
  for (int i = 0; i < 3; ++i) {
    if (rates[i] == header.sampleRate) return i;
  }
  throw std::invalid_argument("sample rate not in the version's table");
}

}  // namespace

std::uint32_t HeaderWord(const HeaderFields& header) {
  const auto& row = BitRateRow(header);
  const auto it = std::find(row.begin() + 1, row.end(), header.bitRate);
  if (it == row.end()) throw std::invalid_argument("bit rate not in the table");
  const std::uint32_t bitRateIndex = static_cast<std::uint32_t>(it - row.begin());
  const std::uint32_t versionBits = header.version == Version::Mpeg1   ? 3
                                    : header.version == Version::Mpeg2 ? 2
                                                                     : 0;
  std::uint32_t word = 0xFFE00000u;
  word |= versionBits << 19;
  word |= static_cast<std::uint32_t>(4 - header.layer) << 17;
  word |= (header.crc ? 0u : 1u) << 16;
  word |= bitRateIndex << 12;
  word |= static_cast<std::uint32_t>(SampleRateIndex(header)) << 10;
  word |= (header.padding ? 1u : 0u) << 9;
  word |= static_cast<std::uint32_t>(header.mode) << 6;
  word |= (header.copyright ? 1u : 0u) << 3;
  word |= (header.original ? 1u : 0u) << 2;
  return word;
}

std::size_t FrameLength(const HeaderFields& header) {
  const long pad = header.padding ? 1 : 0;
  if (header.layer == 1) return 4 * (12000L * header.bitRate / header.sampleRate + pad);
  const long factor = (header.layer == 3 && header.version != Version::Mpeg1) ? 72000 : 144000;
  return static_cast<std::size_t>(factor * header.bitRate / header.sampleRate + pad);
}

void AppendWord(Bytes& out, std::uint32_t word) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<unsigned char>(word >> shift));
  }
}

void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

Bytes Frames(const HeaderFields& header, int count, unsigned char fill) {
  const std::uint32_t word = HeaderWord(header);
  const std::size_t length = FrameLength(header);
  Bytes out;
  out.reserve(length * static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    AppendWord(out, word);
    out.resize(out.size() + length - 4, fill);
  }
  return out;
}

Bytes XingFrame(const HeaderFields& header, std::uint32_t flags, std::uint32_t frameCount) {
  Bytes frame = Frames(header, 1);
  const bool mono = header.mode == Mode::Mono;
  const std::size_t offset = header.version == Version::Mpeg1 ? (mono ? 21 : 36) : (mono ? 13 : 21);
  Bytes block = {'X', 'i', 'n', 'g'};
  AppendWord(block, flags);
  if (flags & 1u) AppendWord(block, frameCount);
  if (frame.size() < offset + block.size()) frame.resize(offset + block.size());
  std::copy(block.begin(), block.end(), frame.begin() + static_cast<std::ptrdiff_t>(offset));
  return frame;
}

Bytes Id3v1(const Tag& tag) {
  Bytes out(128, 0);
  auto put = [&out](std::size_t offset, const std::string& text, std::size_t size) {
    std::copy_n(text.begin(), std::min(text.size(), size), out.begin() + static_cast<std::ptrdiff_t>(offset));
  };
  put(0, "TAG", 3);
  put(3, tag.title, 30);
  put(33, tag.artist, 30);
  put(63, tag.album, 30);
  put(93, tag.year, 4);
  if (tag.track >= 0) {
    put(97, tag.comment, 28);
    out[125] = 0;
    out[126] = static_cast<unsigned char>(tag.track);
  } else {
    put(97, tag.comment, 30);
  }
  out[127] = tag.genre;
  return out;
}

Tag Titled(std::string title, std::string artist) {
  Tag tag;
  tag.title = std::move(title);
  tag.artist = std::move(artist);
  return tag;
}

Bytes Id3v2(std::size_t size) {
  Bytes out = {'I', 'D', '3', 4, 0, 0};
  const std::size_t payload = size - 10;
  for (int shift = 21; shift >= 0; shift -= 7) {
    out.push_back(static_cast<unsigned char>((payload >> shift) & 0x7F));
  }
  out.resize(size, 0);
  return out;
}

Bytes TaggedFile(const Tag& tag, int frames, const HeaderFields& header, std::size_t id3v2Size) {
  Bytes out;
  if (id3v2Size > 0) out = Id3v2(id3v2Size);
  Append(out, Frames(header, frames));
  Append(out, Id3v1(tag));
  return out;
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

void WriteFile(const std::filesystem::path& path, std::string_view text) {
  WriteFile(path, Bytes(text.begin(), text.end()));
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::int32_t PackDos(int year, int month, int day, int hour, int minute, int second) {
  const auto bits = static_cast<std::uint32_t>(year - 1980) << 25 |
                    static_cast<std::uint32_t>(month) << 21 |
                    static_cast<std::uint32_t>(day) << 16 |
                    static_cast<std::uint32_t>(hour) << 11 |
                    static_cast<std::uint32_t>(minute) << 5 |
                    static_cast<std::uint32_t>(second / 2);
  return static_cast<std::int32_t>(bits);
}

}  // namespace fixtures
