// Everything the analysis learns of one file: the ID3v1 tag fields, the
// decoded frame header and the file facts.
#pragma once

#include <cstdint>

#include "fixed_text.h"
#include "platform/platform.h"

struct TAudioInfo {
  // From the tag.
  TFixedText<3> TagId;
  TFixedText<30> Title;
  TFixedText<30> Artist;
  TFixedText<30> Album;
  TFixedText<4> Year;
  TFixedText<30> Comment;
  std::uint8_t Genre = 0;
  std::uint8_t Track = 0;
  // From the frame header (Duration: whole seconds, low 16 bits kept).
  std::uint16_t Duration = 0;
  // 64 bits so that files of 2 GiB and more are measured and searched whole.
  std::int64_t FileSize = 0;
  std::uint8_t Version = 0;  // 0 none, 1 MPEG 1, 2 MPEG 2, 3 MPEG 2.5
  std::uint8_t Layer = 0;    // 1..3, 0 none
  std::int32_t SampleRate = 0;
  std::int32_t BitRate = 0;  // kbit/s; -1 variable (Xing); 0 none
  std::uint8_t Mode = 0;
  std::uint8_t Copyright = 0;
  std::uint8_t Original = 0;
  std::uint8_t ErrorProtection = 0;
  std::uint8_t Padding = 0;
  std::uint16_t FrameLength = 0;  // low 16 bits kept
  // From the file system.
  TFixedText<platform::kMaxPathLength> FileName;
  std::int32_t FileDate = 0;  // packed DOS date and time; 0 not gathered
  std::uint16_t FileAttr = 0;
  TFixedText<20> VolumeLabel;
};

// True when the file facts were gathered and the decoded header is usable.
bool IsValidInfo(const TAudioInfo& info);
