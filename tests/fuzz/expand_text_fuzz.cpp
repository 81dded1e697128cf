// Arbitrary macro texts through ExpandText, against the built-in catalogue and
// against a registry with hostile entries: no crash, no hang, and an output
// that stays within what the width bound allows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "mpegaudio/analysis/mpeg_audio.h"
#include "mpegaudio/macros/item_formatting.h"
#include "mpegaudio/macros/macro_definitions.h"

namespace {

void LongValue(const TMPEGAudio&, std::string& value) { value.assign(1000, 'v'); }
void SystemValue(std::string& value) { value.assign("  sys\0tem  ", 11); }

const TMacroDefinitions& HostileDefinitions() {
  static const TMacroDefinitions list = [] {
    TMacroDefinitions d;
    d.AddMacro("L", "Long", 70000, 'C', 'C', "", "", mkFile, LongValue, "");
    d.AddMacro("S", "Sys", -4, 'R', 'U', "", "", mkSystem, SystemValue, "");
    d.AddMacro("W", "Wrong", 3, 'L', 'N', "", "", mkFile, SystemValue, "");
    d.AddMacro("LOOP", "", 5, 'L', 'N', "", "", mkComposite, nullptr, "<%LOOP%>");
    d.AddMacro("PAIR", "", 9, 'T', 'L', "", "", mkComposite, nullptr, "%L,T%|%PING%");
    d.AddMacro("PING", "", 9, 'T', 'L', "", "", mkComposite, nullptr, "%PAIR,L,9%");
    d.AddMacro("K9", "", 3, 'x', 'y', "", "", 9, nullptr, "");
    d.AddMacro("", "", 3, 'L', 'N', "", "", mkSpecial, nullptr, "");
    d.AddMacro("nnn", "", 3, 'L', 'N', "", "", mkSpecial, nullptr, "");
    return d;
  }();
  return list;
}

const TMPEGAudio& Audio() {
  static const TMPEGAudio audio = [] {
    TMPEGAudio a;
    a.Info.TagId = "TAG";
    a.Info.Title = "  a title, with 50% of it";
    a.Info.Artist = "the artist#1";
    a.Info.Album = "album";
    a.Info.Year = std::string_view("\0\0\0\0", 4);
    a.Info.Track = 7;
    a.Info.Genre = 200;
    a.Info.FileName = "/music/Artist - Title.mp3";
    return a;
  }();
  return audio;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the registry, the delimiter and the list context.
  const std::uint8_t control = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  const bool hostile = (control & 1) != 0;
  TMacroDefinitions& catalogue = MacroDefinitions;
  catalogue.Delimiter = (control & 2) != 0 ? '#' : '%';
  const TMacroDefinitions& definitions = hostile ? HostileDefinitions() : catalogue;
  const char delimiter = definitions.Delimiter;
  const TMPEGAudio* audio = (control & 4) != 0 ? nullptr : &Audio();
  const std::uintptr_t listContext = (control & 8) != 0 ? 1 : 0;

  const std::string out = definitions.ExpandText(text, audio, listContext);

  // Every item takes at least two characters of input and gives at most the
  // widest item, its own text, or one of the engine's messages.
  const std::size_t bound = text.size() * static_cast<std::size_t>(kMaxItemWidth) + 64;
  if (out.size() > bound) std::abort();
  if (text.find(delimiter) == std::string_view::npos && out != text) std::abort();
  return 0;
}
