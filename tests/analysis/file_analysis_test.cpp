#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

#include "mpegaudio/analysis/file_analysis.h"
#include "mpegaudio/analysis/mpeg_audio.h"
#include "mpegaudio/analysis/xing_header.h"
#include "tests/support/mpeg_fixtures.h"
#include "tests/support/temp_dir.h"

namespace {

using fixtures::Titled;

using fixtures::Bytes;
using fixtures::HeaderFields;
using fixtures::Mode;
using fixtures::Version;

Bytes Zeros(std::size_t count) { return Bytes(count, 0); }

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) fixtures::Append(out, part);
  return out;
}

class FileAnalysis : public testing::Test {
 protected:
  std::string Write(const std::string& name, const Bytes& bytes) {
    const std::string path = (dir_.path() / name).string();
    fixtures::WriteFile(path, bytes);
    return path;
  }
  std::int32_t Analyse(const std::string& path) {
    audio_.AutoLoad = false;
    audio_.SetFileName(path);
    return audio_.Analyse();
  }
  std::int32_t AnalyseBytes(const Bytes& bytes) { return Analyse(Write("song.mp3", bytes)); }

  fixtures::TempDir dir_;
  TMPEGAudio audio_;
};

TEST_F(FileAnalysis, TaggedFileGivesStreamTagAndFileFacts) {
  fixtures::Tag tag = Titled("Title", "Artist");
  tag.album = "Album";
  tag.year = "2001";
  tag.comment = "c";
  tag.track = 3;
  tag.genre = 17;
  const Bytes bytes = fixtures::TaggedFile(tag);
  const std::string path = Write("song.mp3", bytes);
  EXPECT_EQ(Analyse(path), 0);
  EXPECT_EQ(audio_.HeaderPos, 0);
  EXPECT_TRUE(audio_.IsValid());
  EXPECT_TRUE(audio_.HasTag());
  const TAudioInfo& info = audio_.Info;
  EXPECT_EQ(info.Version, 1);
  EXPECT_EQ(info.Layer, 3);
  EXPECT_EQ(info.BitRate, 128);
  EXPECT_EQ(info.SampleRate, 44100);
  EXPECT_EQ(info.FrameLength, 417);
  EXPECT_EQ(info.FileSize, static_cast<std::int64_t>(bytes.size()));
  EXPECT_EQ(info.Duration, 0);  // 3464 bytes at 128 kbit/s
  EXPECT_NE(info.FileDate, 0);
  EXPECT_EQ(audio_.GetFileName(), std::filesystem::absolute(path).lexically_normal().string());
  EXPECT_EQ(audio_.GetTitle(), "Title");
  EXPECT_EQ(audio_.GetArtist(), "Artist");
  EXPECT_EQ(info.Album.Str(), "Album");
  EXPECT_EQ(info.Year.Str(), "2001");
  EXPECT_EQ(info.Comment.Str(), "c");
  EXPECT_EQ(info.Track, 3);
  EXPECT_EQ(info.Genre, 17);
}

TEST_F(FileAnalysis, FindsTheStreamBehindLeadingData) {
  struct Case {
    const char* what;
    Bytes lead;
  };
  Bytes falseHeaders = fixtures::Id3v2(64 * 1024);
  // Syncs that fail: a valid word with nothing one frame later, and bare 0xFF
  // runs, some of them across the first block boundaries.
  for (std::size_t at : {100u, 4093u, 4095u, 12286u, 40000u, 65530u}) {
    for (int i = 0; i < 4; ++i) falseHeaders[at + i] = static_cast<unsigned char>(0xFFFB9064u >> (24 - 8 * i));
  }
  for (std::size_t at = 5000; at < 60000; at += 997) falseHeaders[at] = 0xFF;
  const Case kCases[] = {
      {"zeros", Zeros(1000)},
      {"ID3v2 block", fixtures::Id3v2(64 * 1024)},
      {"ID3v2 with false syncs", falseHeaders},
      {"0xFF run", Bytes(777, 0xFF)},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    const Bytes bytes = Concat({c.lead, fixtures::Frames({}, 6), fixtures::Id3v1(Titled("T"))});
    EXPECT_EQ(AnalyseBytes(bytes), 0);
    EXPECT_EQ(audio_.HeaderPos, static_cast<std::int64_t>(c.lead.size()));
    EXPECT_TRUE(audio_.HasTag());
    EXPECT_EQ(audio_.Info.BitRate, 128);
  }
}

// The search resumes one byte after a header that finds no successor, so a
// stream starting inside the rejected word is still found.
TEST_F(FileAnalysis, FalseSyncOverlappingTheRealStreamIsPassedByOneByte) {
  Bytes bytes = {0xFF, 0xFB, 0x90};  // with the next 0xFF: a valid word, no successor
  fixtures::Append(bytes, fixtures::Frames({}, 5));
  fixtures::Append(bytes, fixtures::Id3v1(Titled("Real")));
  EXPECT_EQ(AnalyseBytes(bytes), 0);
  EXPECT_EQ(audio_.HeaderPos, 3);
  EXPECT_EQ(audio_.Info.Mode, 1);
  EXPECT_EQ(audio_.GetTitle(), "Real");
}

TEST_F(FileAnalysis, NoConfirmableHeaderRestoresTheFileFacts) {
  const Bytes bytes = Concat({Zeros(1000), fixtures::Frames({}, 1), Zeros(1000)});
  EXPECT_EQ(AnalyseBytes(bytes), -1);
  const TAudioInfo& info = audio_.Info;
  EXPECT_EQ(audio_.HeaderPos, info.FileSize + 1);
  EXPECT_EQ(info.FileSize, 2417);
  EXPECT_NE(info.FileDate, 0);
  EXPECT_NE(info.FileAttr, 0);
  EXPECT_FALSE(audio_.GetFileName().empty());
  EXPECT_TRUE(info.VolumeLabel.empty());
  EXPECT_EQ(info.Title.Str(), "[notag]");
  EXPECT_EQ(info.TagId.Str(), "BAD");
  EXPECT_EQ(info.Version, 0);
  EXPECT_FALSE(audio_.IsValid());
}

TEST_F(FileAnalysis, HeaderWhoseFrameOverrunsTheFileIsRejected) {
  // Room of 0 or less: rejected, and the search goes on four bytes later,
  // where a low-rate stream begins.
  const Bytes tooLong = Concat({Zeros(50), fixtures::Frames({}, 1)});
  EXPECT_EQ(AnalyseBytes(Concat({tooLong})), -1);
  EXPECT_EQ(audio_.HeaderPos, audio_.Info.FileSize + 1);

  const HeaderFields big{.bitRate = 320};  // 1044 bytes, more than the file holds
  Bytes bytes = Zeros(50);
  fixtures::AppendWord(bytes, fixtures::HeaderWord(big));
  fixtures::Append(bytes, fixtures::Frames({.bitRate = 32}, 4));  // 104 bytes each
  EXPECT_EQ(AnalyseBytes(bytes), 0);
  EXPECT_EQ(audio_.HeaderPos, 54);
  EXPECT_EQ(audio_.Info.BitRate, 32);

  // A frame ending two bytes before the end: the confirming read fails and
  // the decoded values stay.
  EXPECT_EQ(AnalyseBytes(Concat({fixtures::Frames({}, 1), Zeros(2)})), -1);
  EXPECT_TRUE(audio_.IsValid());
  EXPECT_EQ(audio_.HeaderPos, 0);
  EXPECT_EQ(audio_.Info.Title.Str(), "[notag]");
}

TEST_F(FileAnalysis, TinyAndBoundarySizedFiles) {
  for (std::size_t size : {0u, 1u, 5u}) {
    SCOPED_TRACE(size);
    EXPECT_EQ(AnalyseBytes(Bytes(size, 0xFF)), 0);
    EXPECT_FALSE(audio_.IsValid());
    EXPECT_FALSE(audio_.HasTag());
    EXPECT_EQ(audio_.Info.Title.Str(), "[notag]");
    EXPECT_EQ(audio_.Info.FileSize, 0);
    EXPECT_EQ(audio_.Info.FileDate, 0);
  }
  EXPECT_EQ(AnalyseBytes(Zeros(6)), -1);
  EXPECT_EQ(audio_.HeaderPos, 7);

  // Four 32-byte Layer I frames make exactly 128 bytes: there is no room
  // for a tag beside the stream, so none is looked for.
  const HeaderFields layer1{.layer = 1, .bitRate = 32, .sampleRate = 48000};
  const Bytes exact = fixtures::Frames(layer1, 4);
  ASSERT_EQ(exact.size(), 128u);
  EXPECT_EQ(AnalyseBytes(exact), 0);
  EXPECT_TRUE(audio_.IsValid());
  EXPECT_EQ(audio_.Info.Title.Str(), "[notag]");

  // "tag" is not "TAG": the title becomes the name part.
  Bytes lower = Concat({fixtures::Frames({}, 3), fixtures::Id3v1(Titled("x"))});
  lower[lower.size() - 128] = 't';
  EXPECT_EQ(Analyse(Write("a name longer than thirty characters.mp3", lower)), 0);
  EXPECT_FALSE(audio_.HasTag());
  EXPECT_EQ(audio_.Info.Title.Str(), "a name longer than thirty char");
  EXPECT_EQ(audio_.GetTitle(), "Unknown Title");
}

TEST_F(FileAnalysis, MissingFileNamesItselfInTheTitle) {
  struct Case {
    std::string name, title;
  };
  const Case kCases[] = {
      {"gone.mp3", "[not found: gone.mp3]"},
      {"twenty-characters.ab", "[not found: twenty-characters."},
  };
  for (const Case& c : kCases) {
    const std::string path = (dir_.path() / c.name).string();
    EXPECT_EQ(Analyse(path), -1);
    EXPECT_EQ(audio_.Info.Title.Str(), c.title);
    EXPECT_EQ(audio_.GetFileName(), path);
    EXPECT_FALSE(audio_.IsValid());
    EXPECT_EQ(audio_.Info.TagId.Str(), "BAD");
  }
  // A directory is not a file to analyse; the open reports why.
  EXPECT_GT(Analyse(dir_.path().string()), 0);
  EXPECT_EQ(audio_.Info.Title.Str(), "[notag]");
}

TEST_F(FileAnalysis, ScanLimitStopsTheSearch) {
  const Bytes bytes = Concat({Zeros(5000), fixtures::Frames({}, 4)});
  audio_.ScanLimit = 1000;
  EXPECT_EQ(AnalyseBytes(bytes), -1);
  EXPECT_EQ(audio_.HeaderPos, audio_.Info.FileSize + 1);
  // The word is decoded at the first position past the limit.
  audio_.ScanLimit = 5003;
  EXPECT_EQ(AnalyseBytes(bytes), 0);
  EXPECT_EQ(audio_.HeaderPos, 5000);
  audio_.ScanLimit = 5002;
  EXPECT_EQ(AnalyseBytes(bytes), -1);
  audio_.ScanLimit = -1;  // no limit
  EXPECT_EQ(AnalyseBytes(bytes), 0);
  EXPECT_EQ(audio_.HeaderPos, 5000);
}

TEST_F(FileAnalysis, XingHeaderGivesVariableRateAndDuration) {
  struct Case {
    const char* what;
    HeaderFields header;
    std::uint32_t frames;
    int duration;
  };
  const Case kCases[] = {
      {"MPEG 1 Layer III stereo", {}, 5000, 131},
      {"MPEG 1 Layer III mono", {.mode = Mode::Mono}, 5000, 131},
      // 576 samples per frame: 5000 frames at 22050 Hz are 130.6 s, not 261.
      {"MPEG 2 Layer III", {.version = Version::Mpeg2, .bitRate = 64, .sampleRate = 22050}, 5000,
       131},
      {"MPEG 2 Layer III mono",
       {.version = Version::Mpeg2, .bitRate = 64, .sampleRate = 22050, .mode = Mode::Mono},
       5000, 131},
      {"MPEG 2.5 Layer III", {.version = Version::Mpeg25, .bitRate = 64, .sampleRate = 11025},
       1000, 52},
      {"MPEG 1 Layer II", {.layer = 2, .bitRate = 128, .sampleRate = 48000}, 1000, 24},
      {"Layer I", {.layer = 1, .bitRate = 128, .sampleRate = 32000}, 1000, 12},
      // Exact halves round to the even neighbour: 4.5 and 13.5 seconds.
      {"half down", {.sampleRate = 32000}, 125, 4},
      {"half up", {.sampleRate = 32000}, 375, 14},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    const Bytes bytes = Concat({fixtures::XingFrame(c.header, 0xF, c.frames),
                                fixtures::Frames(c.header, 3), fixtures::Id3v1(Titled("V"))});
    EXPECT_EQ(AnalyseBytes(bytes), 0);
    EXPECT_EQ(audio_.Info.BitRate, -1);
    EXPECT_EQ(audio_.Info.Duration, c.duration);
    EXPECT_EQ(std::size_t{audio_.Info.FrameLength}, bytes.size() / c.frames);
    EXPECT_TRUE(audio_.IsValid());
    EXPECT_TRUE(audio_.HasTag());
  }
}

TEST_F(FileAnalysis, XingHeaderWithoutFrameCountKeepsTheTag) {
  for (std::uint32_t flags : {0x0u, 0x6u, 0x1u}) {
    SCOPED_TRACE(flags);
    const Bytes bytes = Concat({fixtures::XingFrame({}, flags, 0), fixtures::Frames({}, 3),
                                fixtures::Id3v1(Titled("Tagged"))});
    EXPECT_EQ(AnalyseBytes(bytes), 0);
    EXPECT_EQ(audio_.Info.BitRate, -1);
    EXPECT_EQ(audio_.Info.Duration, 0);
    EXPECT_EQ(audio_.Info.FrameLength, 417);
    EXPECT_TRUE(audio_.IsValid());
    EXPECT_EQ(audio_.GetTitle(), "Tagged");
  }
}

TEST_F(FileAnalysis, XingIdMustBeExactAndInsideTheFile) {
  Bytes info = Concat({fixtures::XingFrame({}, 1, 100), fixtures::Frames({}, 3)});
  info[36] = 'I';  // the constant-rate "Info" variant is no Xing header
  info[37] = 'n';
  info[38] = 'f';
  info[39] = 'o';
  EXPECT_EQ(AnalyseBytes(info), 0);
  EXPECT_EQ(audio_.Info.BitRate, 128);

  // Short frames: the Xing block lies past the end of a two-frame file.
  Bytes cut = fixtures::Frames({.layer = 1, .bitRate = 32, .sampleRate = 48000}, 2);
  ASSERT_EQ(cut.size(), 64u);
  for (int i = 0; i < 4; ++i) cut[36 + i] = static_cast<unsigned char>("Xing"[i]);
  EXPECT_EQ(AnalyseBytes(cut), -1);
  EXPECT_EQ(audio_.Info.BitRate, -1);
}

TEST(XingDuration, RoundsTheExactQuotientHalfToEven) {
  struct Case {
    std::int64_t frames;
    std::int32_t samples, rate;
    std::int64_t seconds;
  };
  constexpr Case kCases[] = {
      {5000, 1152, 44100, 131}, {125, 1152, 32000, 4}, {375, 1152, 32000, 14},
      {1, 576, 1152, 0},        {3, 576, 1152, 2},     {0, 1152, 44100, 0},
      {10, 1152, 0, 0},         {0x7FFFFFFF, 1152, 8000, 309237645},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(XingDuration(c.frames, c.samples, c.rate), c.seconds) << c.frames;
  }
}

TEST(AttemptAgain, OpenFailureFourRepeatsBoundedWithoutHook) {
  EXPECT_TRUE(AttemptAgain(4, false, 0));
  EXPECT_TRUE(AttemptAgain(4, false, kMaxUnhookedRepeats - 1));
  EXPECT_FALSE(AttemptAgain(4, false, kMaxUnhookedRepeats));
  EXPECT_TRUE(AttemptAgain(4, true, 1000));
  EXPECT_FALSE(AttemptAgain(0, true, 0));
  EXPECT_FALSE(AttemptAgain(-1, false, 0));
  EXPECT_FALSE(AttemptAgain(5, true, 0));
}

// Sizes and positions past 2 GiB: a sparse file with the stream beyond.
TEST_F(FileAnalysis, FilesOfTwoGibibytesAndMoreAreSearchedWhole) {
  const std::string path = Write("big.mp3", {});
  const std::int64_t streamAt = (std::int64_t{1} << 31) + 5;
  {
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(streamAt));
    std::FILE* file = std::fopen(path.c_str(), "ab");
    ASSERT_NE(file, nullptr);
    const Bytes tail = Concat({fixtures::Frames({}, 3), fixtures::Id3v1(Titled("Far"))});
    ASSERT_EQ(std::fwrite(tail.data(), 1, tail.size(), file), tail.size());
    std::fclose(file);
  }
  EXPECT_EQ(Analyse(path), 0);
  EXPECT_EQ(audio_.HeaderPos, streamAt);
  EXPECT_EQ(audio_.Info.FileSize, streamAt + 3 * 417 + 128);
  EXPECT_EQ(audio_.Info.Duration, ((streamAt + 3 * 417 + 128) * 8 / 128000) % 65536);
  EXPECT_EQ(audio_.GetTitle(), "Far");
}

}  // namespace
