// Files made by real encoders, checked against what they were asked for.
// Skipped where the encoders are not installed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>

#include "mpegaudio/analysis/mpeg_audio.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kSeconds = 4;

bool HasTool(const std::string& versionCommand) {
  return std::system((versionCommand + " >/dev/null 2>&1").c_str()) == 0;
}

void WriteLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A 16-bit PCM wave of a tone, a different pitch on each channel.
void WriteTone(const std::string& path, int sampleRate, int channels) {
  std::ofstream out(path, std::ios::binary);
  const std::uint32_t frames = static_cast<std::uint32_t>(sampleRate * kSeconds);
  const std::uint32_t dataSize = frames * static_cast<std::uint32_t>(channels) * 2;
  out.write("RIFF", 4);
  WriteLittleEndian(out, 36 + dataSize, 4);
  out.write("WAVEfmt ", 8);
  WriteLittleEndian(out, 16, 4);
  WriteLittleEndian(out, 1, 2);
  WriteLittleEndian(out, static_cast<std::uint32_t>(channels), 2);
  WriteLittleEndian(out, static_cast<std::uint32_t>(sampleRate), 4);
  WriteLittleEndian(out, static_cast<std::uint32_t>(sampleRate * channels * 2), 4);
  WriteLittleEndian(out, static_cast<std::uint32_t>(channels * 2), 2);
  WriteLittleEndian(out, 16, 2);
  out.write("data", 4);
  WriteLittleEndian(out, dataSize, 4);
  for (std::uint32_t i = 0; i < frames; ++i) {
    for (int channel = 0; channel < channels; ++channel) {
      const double pitch = 440.0 * (channel + 1);
      const auto sample = static_cast<std::int16_t>(
          8000 * std::sin(2 * 3.141592653589793 * pitch * i / sampleRate));
      WriteLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
    }
  }
}

struct Encoding {
  const char* what;
  bool lame;            // else ffmpeg
  const char* options;  // placed between input and output
  int sampleRate, channels;
  int version, layer, bitRate, mode;  // bitRate -1: variable
};

void Check(const Encoding& e) {
  SCOPED_TRACE(e.what);
  fixtures::TempDir dir;
  const std::string wave = (dir.path() / "tone.wav").string();
  const std::string encoded = (dir.path() / "tone.mp3").string();
  WriteTone(wave, e.sampleRate, e.channels);
  const std::string command =
      e.lame ? "lame --quiet " + std::string(e.options) + " " + wave + " " + encoded
             : "ffmpeg -nostdin -loglevel error -y -i " + wave + " " + e.options + " -f " +
                   (e.layer == 2 ? "mp2 " : "mp3 ") + encoded;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  TMPEGAudio audio;
  audio.SetFileName(encoded);
  ASSERT_TRUE(audio.IsValid());
  EXPECT_EQ(audio.Info.Version, e.version);
  EXPECT_EQ(audio.Info.Layer, e.layer);
  EXPECT_EQ(audio.Info.SampleRate, e.sampleRate);
  EXPECT_EQ(audio.Info.BitRate, e.bitRate);
  EXPECT_EQ(audio.Info.Mode, e.mode);
  // Encoder delay and padding add a few frames; a wrong samples-per-frame
  // figure would double or halve the time.
  EXPECT_NEAR(audio.Info.Duration, kSeconds, 1);
}

TEST(RealEncoders, LameLayer3AllVersionsConstantAndVariableRate) {
  if (!HasTool("lame --version")) GTEST_SKIP() << "lame is not installed";
  const Encoding kCases[] = {
      {"MPEG 1 CBR joint stereo", true, "-b 128 -m j --resample 44.1", 44100, 2, 1, 3, 128, 1},
      {"MPEG 1 CBR stereo", true, "-b 192 -m s --resample 48", 48000, 2, 1, 3, 192, 0},
      {"MPEG 1 VBR mono", true, "-V 4 -m m --resample 32", 32000, 1, 1, 3, -1, 3},
      {"MPEG 2 CBR mono", true, "-b 64 -m m --resample 22.05", 22050, 1, 2, 3, 64, 3},
      {"MPEG 2 VBR joint stereo", true, "-V 6 -m j --resample 24", 24000, 2, 2, 3, -1, 1},
      {"MPEG 2.5 CBR mono", true, "-b 24 -m m --resample 8", 8000, 1, 3, 3, 24, 3},
      {"MPEG 2.5 VBR stereo", true, "-V 7 -m s --resample 11.025", 11025, 2, 3, 3, -1, 0},
  };
  for (const Encoding& e : kCases) Check(e);
}

TEST(RealEncoders, FfmpegLayer2AndLayer3) {
  if (!HasTool("ffmpeg -version")) GTEST_SKIP() << "ffmpeg is not installed";
  const Encoding kCases[] = {
      {"MPEG 1 Layer II stereo", false, "-c:a mp2 -b:a 192k -ar 48000 -ac 2", 48000, 2, 1, 2,
       192, 0},
      {"MPEG 1 Layer II mono", false, "-c:a mp2 -b:a 96k -ar 32000 -ac 1", 32000, 1, 1, 2, 96, 3},
      {"MPEG 2 Layer II mono", false, "-c:a mp2 -b:a 64k -ar 24000 -ac 1", 24000, 1, 2, 2, 64, 3},
      {"MPEG 2 Layer II stereo", false, "-c:a mp2 -b:a 128k -ar 16000 -ac 2", 16000, 2, 2, 2,
       128, 0},
  };
  for (const Encoding& e : kCases) Check(e);
}

TEST(RealEncoders, FfmpegLayer3ConstantAndVariableRate) {
  if (!HasTool("ffmpeg -version")) GTEST_SKIP() << "ffmpeg is not installed";
  if (!HasTool("ffmpeg -hide_banner -h encoder=libmp3lame | grep -q libmp3lame")) {
    GTEST_SKIP() << "ffmpeg has no Layer III encoder";
  }
  const Encoding kCases[] = {
      {"MPEG 1 CBR", false, "-c:a libmp3lame -b:a 160k -ar 44100 -ac 2", 44100, 2, 1, 3, 160, 1},
      {"MPEG 2 VBR", false, "-c:a libmp3lame -q:a 5 -ar 22050 -ac 2", 22050, 2, 2, 3, -1, 1},
      {"MPEG 2.5 CBR mono", false, "-c:a libmp3lame -b:a 32k -ar 12000 -ac 1", 12000, 1, 3, 3,
       32, 3},
  };
  for (const Encoding& e : kCases) Check(e);
}

}  // namespace
