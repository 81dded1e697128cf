// The analysis of one file: file facts, the search for a confirmed frame
// header, the Xing header and the ID3v1 tag.
#include "mpegaudio/analysis/file_analysis.h"

#include <array>
#include <span>
#include <string>

#include "mpegaudio/analysis/header_decoding.h"
#include "mpegaudio/analysis/id3v1_tag.h"
#include "mpegaudio/analysis/mpeg_audio.h"
#include "mpegaudio/analysis/sync_search.h"
#include "mpegaudio/analysis/xing_header.h"
#include "platform/platform.h"

namespace {

constexpr std::int32_t kFailed = -1;
constexpr std::uint16_t kTooManyOpenFiles = 4;
// Files this short hold no frame worth a look.
constexpr std::int64_t kTinyFileSize = 5;

// The facts gathered once the file is open, restored after a rejected
// candidate without asking the system again.
struct TFileFacts {
  std::int32_t Date = 0;
  std::uint16_t Attr = 0;
  std::int64_t Size = 0;
};

std::string_view NamePart(std::string_view path) {
  return platform::NamePart(path, platform::kNativePathStyle);
}

}  // namespace

bool AttemptAgain(std::int32_t status, bool hooked, int repeats) {
  if (status != kTooManyOpenFiles) return false;
  return hooked || repeats < kMaxUnhookedRepeats;
}

std::int32_t TMPEGAudio::Analyse() {
  // Stack copies: the hook may rewrite FileName, and a rejected candidate
  // restores the name as expanded here.
  const TFixedText<platform::kMaxPathLength> name(Info.FileName.View());
  Reset();
  const TFixedText<platform::kMaxPathLength> fullName(platform::FullPathName(name.View()));
  Info.FileName = fullName.View();
  for (int repeats = 0;; ++repeats) {
    std::int32_t status = AnalyseAttempt(name.View(), fullName.View());
    if (OnLoadError != nullptr && status != 0) status = OnLoadError(Info);
    if (!AttemptAgain(status, OnLoadError != nullptr, repeats)) return status;
  }
}

std::int32_t TMPEGAudio::AnalyseAttempt(std::string_view name, std::string_view fullName) {
  platform::ReadOnlyFile file;
  openName_.assign(Info.FileName.View());
  const std::string& fileName = openName_;
  const platform::ErrorCode openError = file.Open(fileName);
  if (platform::IsNotFound(openError)) {
    Info.Title = "[not found: " + std::string(NamePart(name)) + "]";
    return kFailed;
  }
  HeaderPos = 0;
  if (openError != 0) return openError;

  // Sizes and positions are 64-bit throughout: a file of 2 GiB or more is
  // measured, searched and tagged whole.
  const std::int64_t size = file.Size();
  if (size < 0) return kFailed;
  if (size <= kTinyFileSize) return 0;
  const TFileFacts facts{file.DosDateTime(), file.Attributes(), size};
  Info.FileDate = facts.Date;
  Info.FileAttr = facts.Attr;
  Info.VolumeLabel = platform::VolumeLabel(fileName.empty() ? '\0' : fileName.front());
  Info.FileSize = facts.Size;

  auto restore = [&] {
    Reset();
    Info.FileName = fullName;
    Info.FileDate = facts.Date;
    Info.FileAttr = facts.Attr;
    Info.FileSize = facts.Size;
  };

  TBlockReader reader(file, size, readBuffer_);
  std::int32_t status = kFailed;
  std::int64_t position = 0;
  for (;;) {
    // One pass: the first four bytes, then byte by byte until a header.
    const unsigned char* first = reader.Bytes(position, 4);
    if (first == nullptr) return kFailed;
    std::uint32_t word = ReadBigEndian32(first);
    position += 4;
    if (!SearchHeader(reader, Info, ScanLimit, position, word, platform::PumpMessages)) {
      return kFailed;
    }
    HeaderPos = position - 4;
    const std::int64_t room =
        Info.FileSize - HeaderPos - Info.FrameLength + 2 * std::int64_t{Info.ErrorProtection};
    if (!IsValid() || room <= 0) {
      restore();
      HeaderPos = Info.FileSize + 1;
      status = kFailed;
    } else {
      // A sync pattern alone proves little: 0xFFE turns up in tag data and
      // cover art. Only a second header one frame later confirms the stream.
      std::array<unsigned char, 4> next{};
      if (!reader.Copy(HeaderPos + Info.FrameLength, next.size(), next.data())) return kFailed;
      if (!DecodeHeader(ReadBigEndian32(next.data()), Info)) {
        restore();
        position = HeaderPos + 1;
        status = kFailed;
      } else {
        status = 0;
        const std::int64_t xingPos = HeaderPos + XingOffset(Info.Version, Info.Mode);
        std::array<unsigned char, kXingIdSize> xingId{};
        if (!reader.Copy(xingPos, xingId.size(), xingId.data())) return kFailed;
        if (IsXingId(xingId)) {
          Info.BitRate = -1;
          std::array<unsigned char, kXingBodySize> body{};
          if (!reader.Copy(xingPos + kXingIdSize, body.size(), body.data())) return kFailed;
          // Without a frame count the rate stays variable and the length
          // unknown; the tag is still worth reading.
          const std::int64_t frames = XingFrameCount(body);
          if (frames > 0) {
            Info.Duration = static_cast<std::uint16_t>(
                XingDuration(frames, SamplesPerFrame(Info.Version, Info.Layer), Info.SampleRate));
            Info.FrameLength = static_cast<std::uint16_t>(Info.FileSize / frames);
          } else {
            Info.Duration = 0;
          }
        }
        if (Info.FileSize > static_cast<std::int64_t>(kTagSize)) {
          std::array<unsigned char, kTagSize> tag{};
          if (!reader.Copy(Info.FileSize - static_cast<std::int64_t>(kTagSize), tag.size(),
                           tag.data())) {
            return kFailed;
          }
          if (IsTagBlock(tag)) {
            ReadTag(tag, Info);
          } else {
            Info.Title = NamePart(Info.FileName.View());
          }
        }
      }
    }
    if (IsValid() || position >= size || (ScanLimit > 0 && position > ScanLimit)) break;
  }
  file.Close();
  RefreshMacroResult();
  return status;
}
