#include "mpegaudio/builtins/file_name_guess.h"

#include <string_view>

#include "mpegaudio/analysis/id3v1_tag.h"
#include "mpegaudio/analysis/mpeg_audio.h"
#include "platform/path_text.h"
#include "platform/platform.h"

namespace {

// Directories never take part: a hyphen in a folder name is no separator.
std::string_view NameOf(const TMPEGAudio& audio) {
  return platform::NamePart(audio.GetFileName(), platform::kNativePathStyle);
}

}  // namespace

void ExtractedArtist(const TMPEGAudio& audio, std::string& value) {
  const std::string_view name = NameOf(audio);
  const std::size_t separator = name.find(ArtistTitleSeparator);
  value = separator == std::string_view::npos ? std::string_view()
                                              : Strip(name.substr(0, separator));
}

void ExtractedTitle(const TMPEGAudio& audio, std::string& value) {
  const std::string_view name = NameOf(audio);
  const std::size_t separator = name.find(ArtistTitleSeparator);
  std::string_view title;
  if (separator != std::string_view::npos) title = Strip(name.substr(separator + 1));
  // Only the last full stop starts the extension; earlier ones belong to the
  // title. Spaces before it stay: the extension is cut after stripping.
  const std::size_t extension = title.rfind('.');
  if (extension != std::string_view::npos) title = title.substr(0, extension);
  value = title;
}

void GuessedArtist(const TMPEGAudio& audio, std::string& value) {
  if (audio.HasTag()) {
    value = audio.GetArtist();
    return;
  }
  ExtractedArtist(audio, value);
  if (value.empty()) value = audio.DefaultArtist.View();
}

void GuessedTitle(const TMPEGAudio& audio, std::string& value) {
  if (audio.HasTag()) {
    value = audio.GetTitle();
    return;
  }
  ExtractedTitle(audio, value);
  if (value.empty()) value = audio.DefaultTitle.View();
}
