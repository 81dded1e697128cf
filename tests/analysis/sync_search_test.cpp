// The buffered search against a reader that takes one byte at a time.
#include "mpegaudio/analysis/sync_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "mpegaudio/analysis/header_decoding.h"
#include "mpegaudio/analysis/id3v1_tag.h"
#include "mpegaudio/analysis/mpeg_audio.h"
#include "mpegaudio/analysis/xing_header.h"
#include "tests/support/mpeg_fixtures.h"
#include "tests/support/temp_dir.h"

namespace {

using fixtures::Titled;

using fixtures::Bytes;

std::uint32_t WordAt(const Bytes& bytes, std::int64_t at) {
  return ReadBigEndian32(bytes.data() + at);
}

// Inputs that stress the skip: runs without 0xFF longer than a block, 0xFF
// bytes in clusters, header words with and without a successor, frames.
Bytes Adversarial(std::mt19937& random) {
  const std::size_t size = 6 + random() % 60000;
  Bytes bytes(size);
  std::size_t at = 0;
  while (at < size) {
    const std::size_t run = 1 + random() % 9000;
    const unsigned kind = random() % 5;
    for (std::size_t i = 0; i < run && at < size; ++i, ++at) {
      switch (kind) {
        case 0: bytes[at] = 0; break;
        case 1: bytes[at] = static_cast<unsigned char>(random()); break;
        case 2: bytes[at] = random() % 4 == 0 ? 0xFF : static_cast<unsigned char>(random()); break;
        default: bytes[at] = random() % 200 == 0 ? 0xFF : 0x11; break;
      }
    }
  }
  const std::uint32_t words[] = {0xFFFB9064, 0xFFF380C4, 0xFFFF1000, 0xFFE31000, 0xFFFB9C64};
  for (int n = static_cast<int>(random() % 12); n > 0; --n) {
    const std::uint32_t word = words[random() % 5];
    std::size_t pos = random() % size;
    const std::size_t repeats = 1 + random() % 3;
    TAudioInfo info;
    info.FileSize = 1000000;
    info.FileDate = 1;
    DecodeHeader(word, info);
    for (std::size_t r = 0; r < repeats && pos + 4 <= size; ++r, pos += info.FrameLength) {
      for (int i = 0; i < 4; ++i) bytes[pos + i] = static_cast<unsigned char>(word >> (24 - 8 * i));
      if (info.FrameLength == 0) break;
    }
  }
  // Header words on and around the ends of the growing blocks of a search
  // from the start: 4 KiB, then 8, 16 and 32 more.
  for (std::size_t end : {4096u, 12288u, 28672u, 61440u}) {
    const std::size_t pos = end - 4 + random() % 8;
    if (random() % 2 == 0 || pos + 4 > size) continue;
    const std::uint32_t word = words[random() % 3];
    for (int i = 0; i < 4; ++i) bytes[pos + i] = static_cast<unsigned char>(word >> (24 - 8 * i));
  }
  if (random() % 3 == 0 && size > 200) {
    const Bytes tag = fixtures::Id3v1(Titled("Random", "Bytes"));
    std::copy(tag.begin(), tag.end(), bytes.end() - 128);
  }
  return bytes;
}

const std::int64_t* gSearchPosition = nullptr;
std::vector<std::int64_t> gPumpedAt;
void RecordPump() { gPumpedAt.push_back(*gSearchPosition); }

TEST(SearchHeader, MatchesAByteAtATimeReader) {
  fixtures::TempDir dir;
  std::mt19937 random(20240611);
  std::vector<unsigned char> storage;
  for (int round = 0; round < 300; ++round) {
    const Bytes bytes = Adversarial(random);
    const auto size = static_cast<std::int64_t>(bytes.size());
    const std::string path = (dir.path() / "input.bin").string();
    fixtures::WriteFile(path, bytes);
    platform::ReadOnlyFile file;
    ASSERT_EQ(file.Open(path), 0);

    for (int start = 0; start < 4; ++start) {
      TBlockReader reader(file, size, storage);
      const std::int64_t from = start == 0 ? 4 : 4 + static_cast<std::int64_t>(random() % (size - 3));
      const std::int64_t limit = random() % 3 == 0 ? static_cast<std::int64_t>(random() % size) : 0;
      SCOPED_TRACE(testing::Message() << "round " << round << " size " << size << " from "
                                      << from << " limit " << limit);
      TAudioInfo expected;
      expected.FileSize = size;
      expected.FileDate = 1;
      TAudioInfo actual = expected;

      std::int64_t refPosition = from;
      std::uint32_t refWord = WordAt(bytes, from - 4);
      std::vector<std::int64_t> refPumps;
      while (!DecodeHeader(refWord, expected)) {
        if (refPosition >= size) break;
        if (limit > 0 && refPosition > limit) break;
        refWord = (refWord << 8) | bytes[static_cast<std::size_t>(refPosition++)];
        if (refPosition % 300 == 0) refPumps.push_back(refPosition);
      }

      std::int64_t position = from;
      std::uint32_t word = WordAt(bytes, from - 4);
      gSearchPosition = &position;
      gPumpedAt.clear();
      ASSERT_TRUE(SearchHeader(reader, actual, limit, position, word, RecordPump));
      EXPECT_EQ(position, refPosition);
      EXPECT_EQ(word, refWord);
      EXPECT_EQ(IsValidInfo(actual), IsValidInfo(expected));
      EXPECT_EQ(actual.FrameLength, expected.FrameLength);
      EXPECT_EQ(actual.BitRate, expected.BitRate);
      EXPECT_EQ(actual.Mode, expected.Mode);

      // Every multiple of 300 crossed is pumped by the first call at or
      // after it, and no call comes without a multiple crossed.
      std::int64_t previous = from;
      for (std::int64_t at : gPumpedAt) {
        EXPECT_GT(at / 300, previous / 300) << at;
        previous = at;
      }
      if (!refPumps.empty()) {
        ASSERT_FALSE(gPumpedAt.empty());
        EXPECT_GE(gPumpedAt.back(), refPumps.back());
      }
    }
  }
}

// Byte-at-a-time analysis of bytes in memory, for comparison.
struct TOutcome {
  std::int32_t status = -1;
  std::int64_t headerPos = 0;
};

TOutcome ReferenceAnalyse(const Bytes& bytes, TMPEGAudio& ref, const TAudioInfo& facts,
                          std::int64_t scanLimit) {
  const auto size = static_cast<std::int64_t>(bytes.size());
  auto has = [size](std::int64_t at, std::int64_t count) { return at >= 0 && at + count <= size; };
  auto restore = [&] {
    ref.Reset();
    ref.Info.FileName = facts.FileName;
    ref.Info.FileDate = facts.FileDate;
    ref.Info.FileAttr = facts.FileAttr;
    ref.Info.FileSize = size;
  };
  restore();
  TOutcome out;
  if (size <= 5) {
    ref.Info.FileDate = 0;
    ref.Info.FileAttr = 0;
    ref.Info.FileSize = 0;
    return {0, 0};
  }
  TAudioInfo& info = ref.Info;
  std::int64_t pos = 0;
  for (;;) {
    if (!has(pos, 4)) return {-1, out.headerPos};
    std::uint32_t word = WordAt(bytes, pos);
    pos += 4;
    while (!DecodeHeader(word, info)) {
      if (pos >= size || (scanLimit > 0 && pos > scanLimit)) break;
      word = (word << 8) | bytes[static_cast<std::size_t>(pos++)];
    }
    out.headerPos = pos - 4;
    const std::int64_t room = size - out.headerPos - info.FrameLength + 2 * info.ErrorProtection;
    if (!IsValidInfo(info) || room <= 0) {
      restore();
      out.headerPos = size + 1;
      out.status = -1;
    } else if (!has(out.headerPos + info.FrameLength, 4)) {
      return {-1, out.headerPos};
    } else if (!DecodeHeader(WordAt(bytes, out.headerPos + info.FrameLength), info)) {
      restore();
      pos = out.headerPos + 1;
      out.status = -1;
    } else {
      out.status = 0;
      const std::int64_t xing = out.headerPos + XingOffset(info.Version, info.Mode);
      if (!has(xing, 4)) return {-1, out.headerPos};
      if (IsXingId(std::span<const unsigned char, 4>(bytes.data() + xing, 4))) {
        info.BitRate = -1;
        if (!has(xing + 4, kXingBodySize)) return {-1, out.headerPos};
        const std::int64_t frames = XingFrameCount(
            std::span<const unsigned char, kXingBodySize>(bytes.data() + xing + 4, kXingBodySize));
        info.Duration = frames > 0 ? static_cast<std::uint16_t>(XingDuration(
                                         frames, SamplesPerFrame(info.Version, info.Layer),
                                         info.SampleRate))
                                   : 0;
        if (frames > 0) info.FrameLength = static_cast<std::uint16_t>(size / frames);
      }
      if (size > 128) {
        std::span<const unsigned char, kTagSize> tag(bytes.data() + size - 128, kTagSize);
        if (IsTagBlock(tag)) {
          ReadTag(tag, info);
        } else {
          info.Title = platform::NamePart(info.FileName.View(), platform::kNativePathStyle);
        }
      }
    }
    if (IsValidInfo(info) || pos >= size || (scanLimit > 0 && pos > scanLimit)) break;
  }
  return out;
}

TEST(Analyse, MatchesAByteAtATimeAnalysis) {
  fixtures::TempDir dir;
  std::mt19937 random(7);
  TMPEGAudio audio;
  audio.AutoLoad = false;
  TMPEGAudio ref;
  for (int round = 0; round < 150; ++round) {
    Bytes bytes = Adversarial(random);
    if (round % 4 == 0) {
      // A real stream, sometimes with a Xing frame, behind the noise.
      const fixtures::HeaderFields header{.bitRate = round % 8 == 0 ? 64 : 128};
      if (round % 8 == 0) fixtures::Append(bytes, fixtures::XingFrame(header, 1, 1000 + round));
      fixtures::Append(bytes, fixtures::Frames(header, 3));
      if (round % 3 == 0) fixtures::Append(bytes, fixtures::Id3v1(Titled("Behind")));
    }
    const std::string path = (dir.path() / "input.mp3").string();
    fixtures::WriteFile(path, bytes);
    const std::int64_t limit =
        round % 5 == 0 ? static_cast<std::int64_t>(random() % bytes.size()) : 0;
    SCOPED_TRACE(testing::Message() << "round " << round << " size " << bytes.size()
                                    << " limit " << limit);
    audio.ScanLimit = limit;
    audio.SetFileName(path);
    const std::int32_t status = audio.Analyse();
    const TOutcome expected = ReferenceAnalyse(bytes, ref, audio.Info, limit);
    EXPECT_EQ(status, expected.status);
    EXPECT_EQ(audio.HeaderPos, expected.headerPos);
    const TAudioInfo& a = audio.Info;
    const TAudioInfo& e = ref.Info;
    EXPECT_EQ(a.Version, e.Version);
    EXPECT_EQ(a.Layer, e.Layer);
    EXPECT_EQ(a.BitRate, e.BitRate);
    EXPECT_EQ(a.SampleRate, e.SampleRate);
    EXPECT_EQ(a.FrameLength, e.FrameLength);
    EXPECT_EQ(a.Duration, e.Duration);
    EXPECT_EQ(a.Mode, e.Mode);
    EXPECT_EQ(a.FileSize, e.FileSize);
    EXPECT_EQ(a.TagId.Str(), e.TagId.Str());
    EXPECT_EQ(a.Title.Str(), e.Title.Str());
  }
}

}  // namespace
