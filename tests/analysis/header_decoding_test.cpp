#include "mpegaudio/analysis/header_decoding.h"

#include <gtest/gtest.h>

#include "tests/support/mpeg_fixtures.h"

namespace {

TAudioInfo FourMillionByteFile() {
  TAudioInfo info;
  info.FileSize = 4000000;
  info.FileDate = 0x2A8C5B7D;
  return info;
}

TEST(DecodeHeader, DecodesEveryFieldOfTheWord) {
  struct Case {
    std::uint32_t word;
    int version, layer, sampleRate, bitRate, errorProtection, padding, mode, copyright,
        original, frameLength, duration;
    bool valid;
  };
  constexpr Case kCases[] = {
      {0xFFFB9064, 1, 3, 44100, 128, 0, 0, 1, 0, 1, 417, 250, true},
      {0xFFFB9264, 1, 3, 44100, 128, 0, 1, 1, 0, 1, 418, 250, true},  // padding
      {0xFFFA9064, 1, 3, 44100, 128, 1, 0, 1, 0, 1, 417, 250, true},  // CRC follows
      {0xFFFB906C, 1, 3, 44100, 128, 0, 0, 1, 1, 1, 417, 250, true},  // copyright
      {0xFFFF1000, 1, 1, 44100, 32, 0, 0, 0, 0, 0, 32, 1000, true},   // Layer I slots
      {0xFFFF1200, 1, 1, 44100, 32, 0, 1, 0, 0, 0, 36, 1000, true},
      {0xFFFD8400, 1, 2, 48000, 128, 0, 0, 0, 0, 0, 384, 250, true},  // Layer II
      {0xFFF580C0, 2, 2, 22050, 64, 0, 0, 3, 0, 0, 417, 500, true},   // MPEG 2 Layer II
      {0xFFE31000, 3, 3, 11025, 8, 0, 0, 0, 0, 0, 52, 4000, true},    // MPEG 2.5
      {0xFFFFE000, 1, 1, 44100, 448, 0, 0, 0, 0, 0, 484, 71, true},   // top Layer I rate
      {0xFFE00000, 3, 0, 11025, 0, 1, 0, 0, 0, 0, 0, 0, false},       // layer bits 00
      {0xFFEB9064, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},           // reserved version
      {0xFFFB0064, 1, 3, 44100, 0, 0, 0, 1, 0, 1, 0, 0, false},       // free format
      {0xFFFBF064, 1, 3, 44100, 0, 0, 0, 1, 0, 1, 0, 0, false},       // forbidden index
      {0xFFFB9C64, 1, 3, 0, 128, 0, 0, 1, 0, 1, 0, 250, false},       // sample index 3
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.word);
    TAudioInfo info = FourMillionByteFile();
    EXPECT_EQ(DecodeHeader(c.word, info), c.valid);
    EXPECT_EQ(info.Version, c.version);
    EXPECT_EQ(info.Layer, c.layer);
    EXPECT_EQ(info.SampleRate, c.sampleRate);
    EXPECT_EQ(info.BitRate, c.bitRate);
    EXPECT_EQ(info.ErrorProtection, c.errorProtection);
    EXPECT_EQ(info.Padding, c.padding);
    EXPECT_EQ(info.Mode, c.mode);
    EXPECT_EQ(info.Copyright, c.copyright);
    EXPECT_EQ(info.Original, c.original);
    EXPECT_EQ(info.FrameLength, c.frameLength);
    EXPECT_EQ(info.Duration, c.duration);
  }
}

// 144000 would give 417 and make the confirmation look two frames ahead.
TEST(DecodeHeader, Mpeg2And25Layer3FrameLengthCountsHalfTheSamples) {
  TAudioInfo info = FourMillionByteFile();
  ASSERT_TRUE(DecodeHeader(0xFFF380C4, info));
  EXPECT_EQ(info.FrameLength, 208);
  EXPECT_EQ(info.BitRate, 64);
  EXPECT_EQ(info.Mode, 3);
  EXPECT_EQ(info.Duration, 500);

  // The fixture builders compute lengths independently; both must agree
  // for every version and layer.
  using fixtures::Version;
  for (Version version : {Version::Mpeg1, Version::Mpeg2, Version::Mpeg25}) {
    for (int layer = 1; layer <= 3; ++layer) {
      for (bool padding : {false, true}) {
        const fixtures::HeaderFields header{
            version, layer, layer == 1 || version == Version::Mpeg1 ? 128 : 64,
            version == Version::Mpeg1 ? 32000 : version == Version::Mpeg2 ? 16000 : 8000,
            padding};
        SCOPED_TRACE(testing::Message() << "layer " << layer << " padding " << padding);
        ASSERT_TRUE(DecodeHeader(fixtures::HeaderWord(header), info));
        EXPECT_EQ(std::size_t{info.FrameLength}, fixtures::FrameLength(header));
      }
    }
  }
}

TEST(DecodeHeader, RejectsWordsWithoutSyncAndKeepsDuration) {
  TAudioInfo info = FourMillionByteFile();
  ASSERT_TRUE(DecodeHeader(0xFFFB9064, info));
  for (std::uint32_t word : {0x7FFB9064u, 0xFFDFFFFFu, 0x00000000u}) {
    EXPECT_FALSE(DecodeHeader(word, info));
    EXPECT_EQ(info.Version, 0);
    EXPECT_EQ(info.BitRate, 0);
    EXPECT_EQ(info.FrameLength, 0);
    EXPECT_EQ(info.Duration, 250);
  }
}

TEST(DecodeHeader, AnswersFalseUntilTheFileFactsAreGathered) {
  TAudioInfo small = FourMillionByteFile();
  small.FileSize = 5;
  EXPECT_FALSE(DecodeHeader(0xFFFB9064, small));
  EXPECT_EQ(small.FrameLength, 417);
  TAudioInfo undated = FourMillionByteFile();
  undated.FileDate = 0;
  EXPECT_FALSE(DecodeHeader(0xFFFB9064, undated));
}

TEST(DecodeHeader, DurationKeepsLow16BitsWithoutOverflow) {
  struct Case {
    std::int64_t fileSize;
    std::uint32_t word;
    int duration;
  };
  constexpr Case kCases[] = {
      {1000000, 0xFFFB9064, 62},                    // 62.5 truncated
      {70000 * 1000, 0xFFF31000, 70000 % 65536},    // 70000 s at 8 kbit/s
      {std::int64_t{300} << 20, 0xFFFB9064, 19660}, // 300 MiB at 128 kbit/s
      {std::int64_t{5} << 30, 0xFFFB9064, 335544 % 65536},  // 5 GiB
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.fileSize);
    TAudioInfo info = FourMillionByteFile();
    info.FileSize = c.fileSize;
    ASSERT_TRUE(DecodeHeader(c.word, info));
    EXPECT_EQ(info.Duration, c.duration);
  }
}

TEST(DecodeHeader, BitRateRowsMatchTheStandardTables) {
  struct Case {
    std::uint32_t versionLayerBits;  // bits 20-17 in place
    std::array<int, 16> rates;
  };
  const Case kCases[] = {
      {0x1E0000, {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0}},
      {0x1C0000, {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0}},
      {0x1A0000, {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
      {0x160000, {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0}},
      {0x140000, {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
      {0x120000, {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
      {0x020000, {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
  };
  for (const Case& c : kCases) {
    for (std::uint32_t index = 0; index < 16; ++index) {
      const std::uint32_t word = 0xFFE10000u | c.versionLayerBits | (index << 12);
      SCOPED_TRACE(testing::Message() << std::hex << word);
      TAudioInfo info = FourMillionByteFile();
      DecodeHeader(word, info);
      EXPECT_EQ(info.BitRate, c.rates[index]);
    }
  }
}

TEST(HeaderHelpers, SamplesPerFrameAndBigEndianWords) {
  EXPECT_EQ(SamplesPerFrame(1, 1), 384);
  EXPECT_EQ(SamplesPerFrame(2, 2), 1152);
  EXPECT_EQ(SamplesPerFrame(1, 3), 1152);
  EXPECT_EQ(SamplesPerFrame(2, 3), 576);
  EXPECT_EQ(SamplesPerFrame(3, 3), 576);
  const unsigned char bytes[] = {0xFF, 0xFB, 0x90, 0x64};
  EXPECT_EQ(ReadBigEndian32(bytes), 0xFFFB9064u);
  EXPECT_EQ(CalcFrameLength(1, 3, 0, 128, 0), 0);
  EXPECT_EQ(CalcFrameLength(1, 3, -1, 128, 0), 0);
}

}  // namespace
