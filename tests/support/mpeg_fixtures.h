// Byte-level building blocks of MPEG audio files for tests, the demo folder
// and the benchmark corpora. Written apart from the decoder so that a fault
// in one does not hide in the other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fixtures {

using Bytes = std::vector<unsigned char>;

enum class Version { Mpeg1, Mpeg2, Mpeg25 };
enum class Mode { Stereo = 0, JointStereo = 1, DualChannel = 2, Mono = 3 };

struct HeaderFields {
  Version version = Version::Mpeg1;
  int layer = 3;
  int bitRate = 128;      // kbit/s, must be in the table of version and layer
  int sampleRate = 44100;
  bool padding = false;
  bool crc = false;       // protection bit 0
  Mode mode = Mode::JointStereo;
  bool copyright = false;
  bool original = true;
};

std::uint32_t HeaderWord(const HeaderFields& header);
// Bytes in one frame of that header, padding included.
std::size_t FrameLength(const HeaderFields& header);

void AppendWord(Bytes& out, std::uint32_t word);  // most significant first
void Append(Bytes& out, const Bytes& more);

// `count` frames back to back, each a header followed by `fill` bytes.
Bytes Frames(const HeaderFields& header, int count, unsigned char fill = 0);
// One frame carrying a Xing block at the offset the version and mode give.
Bytes XingFrame(const HeaderFields& header, std::uint32_t flags,
                std::uint32_t frameCount);

struct Tag {
  std::string title, artist, album, year, comment;
  int track = -1;  // >= 0: comment cut to 28 bytes, byte 125 NUL
  std::uint8_t genre = 255;
};
Bytes Id3v1(const Tag& tag);  // exactly 128 bytes, fields NUL-padded
// A tag that names only a title and an artist.
Tag Titled(std::string title, std::string artist = "");
// An ID3v2 block of `size` bytes in all (10-byte header + padding).
Bytes Id3v2(std::size_t size);

// A tagged constant-rate file: optional ID3v2, frames, ID3v1.
Bytes TaggedFile(const Tag& tag, int frames = 8,
                 const HeaderFields& header = HeaderFields{},
                 std::size_t id3v2Size = 0);

void WriteFile(const std::filesystem::path& path, const Bytes& bytes);
void WriteFile(const std::filesystem::path& path, std::string_view text);
std::string ReadWholeFile(const std::filesystem::path& path);

// A file time in packed DOS form: date in the high 16 bits, seconds / 2.
std::int32_t PackDos(int year, int month, int day, int hour, int minute, int second);

}  // namespace fixtures
