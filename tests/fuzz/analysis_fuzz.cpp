// Arbitrary bytes as a file for the analysis: no crash, no hang, no read
// outside what the file holds.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "mpegaudio/analysis/header_decoding.h"
#include "mpegaudio/analysis/id3v1_tag.h"
#include "mpegaudio/analysis/mpeg_audio.h"
#include "mpegaudio/analysis/xing_header.h"
#include "tests/support/mpeg_fixtures.h"
#include "tests/support/temp_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fixtures::TempDir dir;
  static const std::string path = (dir.path() / "input.mp3").string();
  static TMPEGAudio audio;  // reused from file to file, as the program does

  fixtures::WriteFile(path, fixtures::Bytes(data, data + size));
  audio.AutoLoad = false;
  // Now and then a scan limit taken from the input itself.
  audio.ScanLimit = size > 0 && data[0] == 'L' ? static_cast<std::int64_t>(size / 2) : 0;
  audio.SetFileName(path);
  const std::int32_t status = audio.Analyse();
  if (status == 0 && audio.IsValid() && audio.HeaderPos >= static_cast<std::int64_t>(size)) {
    __builtin_trap();  // a confirmed header lies inside the file
  }
  (void)audio.GetGenreName();
  (void)audio.GetModeName();
  (void)audio.GetLayerName();
  (void)audio.GetFileDateTime();

  // The decoders on the raw bytes, without a file in between.
  if (size >= 4) {
    TAudioInfo info;
    info.FileSize = static_cast<std::int64_t>(size);
    info.FileDate = 1;
    DecodeHeader(ReadBigEndian32(data), info);
  }
  if (size >= kTagSize) {
    TAudioInfo info;
    std::span<const unsigned char, kTagSize> block(data + size - kTagSize, kTagSize);
    if (IsTagBlock(block)) ReadTag(block, info);
  }
  if (size >= kXingBodySize) {
    const std::int64_t frames =
        XingFrameCount(std::span<const unsigned char, kXingBodySize>(data, kXingBodySize));
    (void)XingDuration(frames, 576, 8000);
  }
  return 0;
}
