#include "mpegaudio/analysis/mpeg_audio.h"

#include "mpegaudio/analysis/date_time.h"
#include "mpegaudio/analysis/header_decoding.h"
#include "mpegaudio/analysis/id3v1_tag.h"
#include "mpegaudio/macros/macro_definitions.h"
#include "platform/platform.h"

namespace {

constexpr std::string_view kNoTag = "[notag]";

}  // namespace

TMPEGAudio::TMPEGAudio() : DefaultArtist("Unknown Artist"), DefaultTitle("Unknown Title") {}

void TMPEGAudio::SetFileName(std::string_view name) {
  Info.FileName = name;
  if (AutoLoad) Analyse();
}

void TMPEGAudio::Reset() {
  Info.TagId = "BAD";
  Info.Title = kNoTag;
  Info.Artist = kNoTag;
  Info.Album = kNoTag;
  Info.Year = "    ";
  Info.Comment = kNoTag;
  Info.Genre = 255;
  Info.Track = 0;
  Info.Duration = 0;
  Info.FileSize = 0;
  Info.Version = 0;
  Info.Layer = 0;
  Info.SampleRate = 0;
  Info.BitRate = 0;
  Info.Mode = 0;
  Info.Copyright = 0;
  Info.Original = 0;
  Info.ErrorProtection = 0;
  Info.Padding = 0;
  Info.FrameLength = 0;
  Info.FileName.Clear();
  Info.FileDate = 0;
  Info.FileAttr = 0;
  Info.VolumeLabel.Clear();
  RefreshMacroResult();
}

void TMPEGAudio::RefreshMacroResult() {
  // The usual caller never sets a macro text; spare it the expansion.
  if (MacroText.empty()) {
    MacroResult.clear();
    return;
  }
  MacroResult = ExpandMacro(MacroText);
}

std::string TMPEGAudio::ExpandMacro(std::string_view text) const {
  return MacroDefinitions.ExpandText(text, this, 0);
}

std::string_view TMPEGAudio::GetArtist() const {
  if (HasTag() || DefaultArtist.empty()) return Info.Artist.View();
  return DefaultArtist.View();
}

std::string_view TMPEGAudio::GetTitle() const {
  if (HasTag() || DefaultTitle.empty()) return Info.Title.View();
  return DefaultTitle.View();
}

std::string TMPEGAudio::GetShortFileName() const {
  std::string shortName;
  if (!platform::ShortPathName(Info.FileName.View(), shortName)) {
    return "Error converting long filename to short.";
  }
  return shortName;
}

double TMPEGAudio::GetFileDateTime() const { return DosDateTimeToDateTime(Info.FileDate); }

std::string_view TMPEGAudio::GetGenreName() const {
  return Info.Genre < GenreNames.size() ? GenreNames[Info.Genre] : "Unknown";
}

// Decoding keeps Mode and Layer within 0..3; the mask keeps a record filled
// by other hands from reading outside the tables.
std::string_view TMPEGAudio::GetModeName() const { return ModeNames[Info.Mode & 3]; }

std::string_view TMPEGAudio::GetLayerName() const { return LayerNames[Info.Layer & 3]; }

std::string_view TMPEGAudio::GetCopyrightText(std::string_view whenSet,
                                              std::string_view whenClear) const {
  return ChooseText(Info.Copyright != 0, whenSet, whenClear);
}

std::string_view TMPEGAudio::GetOriginalText(std::string_view whenSet,
                                             std::string_view whenClear) const {
  return ChooseText(Info.Original != 0, whenSet, whenClear);
}

std::string_view TMPEGAudio::GetErrorProtectionText(std::string_view whenSet,
                                                    std::string_view whenClear) const {
  return ChooseText(Info.ErrorProtection != 0, whenSet, whenClear);
}

std::string_view ChooseText(bool flag, std::string_view whenSet, std::string_view whenClear) {
  return flag ? whenSet : whenClear;
}
