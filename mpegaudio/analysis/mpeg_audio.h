// TMPEGAudio: one analysed MPEG audio file and the queries on it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "audio_info.h"
#include "fixed_text.h"

// Called after a failed attempt with the record; may change it. Answering
// kRetryAnalysis makes Analyse attempt again.
using TLoadErrorFunc = std::uint16_t (*)(TAudioInfo& info);
inline constexpr std::uint16_t kRetryAnalysis = 4;

class TMPEGAudio {
 public:
  TMPEGAudio();

  TAudioInfo Info;
  // Position past which the sync search gives up; 0 (or negative) means no
  // limit. 64 bits, like every position, so files of 2 GiB and more work.
  std::int64_t ScanLimit = 0;
  TFixedText<30> DefaultArtist;
  TFixedText<30> DefaultTitle;
  bool AutoLoad = true;
  TLoadErrorFunc OnLoadError = nullptr;
  // First byte of the frame header the last search stopped at; FileSize + 1
  // after a search that found nothing.
  std::int64_t HeaderPos = 0;
  // A macro text the object keeps expanded against itself in MacroResult.
  std::string MacroText;
  std::string MacroResult;

  // Stores the name and, with AutoLoad, analyses the file at once.
  void SetFileName(std::string_view name);
  std::string_view GetFileName() const { return Info.FileName.View(); }

  // 0: confirmed header (or a file of at most 5 bytes); -1: not found, no
  // header or a failed read; positive: the system's error code of the open;
  // after OnLoadError, its answer.
  std::int32_t Analyse();
  void Reset();

  bool IsValid() const { return IsValidInfo(Info); }
  bool HasTag() const { return Info.TagId == "TAG"; }
  std::string_view GetArtist() const;
  std::string_view GetTitle() const;

  // The text with every macro item replaced by its value for this file.
  std::string ExpandMacro(std::string_view text) const;

  // Queries of the value functions.
  std::string GetShortFileName() const;
  double GetFileDateTime() const;  // days since 1899-12-30; 0 when none
  std::string_view GetGenreName() const;
  std::string_view GetModeName() const;
  std::string_view GetLayerName() const;
  std::string_view GetCopyrightText(std::string_view whenSet,
                                    std::string_view whenClear) const;
  std::string_view GetOriginalText(std::string_view whenSet,
                                   std::string_view whenClear) const;
  std::string_view GetErrorProtectionText(std::string_view whenSet,
                                          std::string_view whenClear) const;

 private:
  void RefreshMacroResult();
  // One attempt of Analyse for the file named in Info.FileName.
  std::int32_t AnalyseAttempt(std::string_view name, std::string_view fullName);
  // Kept from file to file so that analysing one allocates no buffers.
  std::vector<unsigned char> readBuffer_;
  std::string openName_;
};

// `whenSet` when `flag` is true, else `whenClear`.
std::string_view ChooseText(bool flag, std::string_view whenSet, std::string_view whenClear);
