// Cost of the per-file macro work: one naming macro expanded against an
// analysed file through the built-in catalogue, and single name lookups.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "mpegaudio/analysis/mpeg_audio.h"
#include "mpegaudio/macros/macro_definitions.h"

namespace {

TMPEGAudio TaggedAudio() {
  TMPEGAudio audio;
  audio.Info.TagId = "TAG";
  audio.Info.Title = "Stairway of the Morning Light";
  audio.Info.Artist = "The Long Name Orchestra";
  audio.Info.Album = "Collected Works";
  audio.Info.Year = "1997";
  audio.Info.Track = 4;
  audio.Info.Genre = 17;
  audio.Info.FileName = "/music/incoming/04 - stairway of the morning light.mp3";
  return audio;
}

void BM_ExpandTypicalNamingMacro(benchmark::State& state) {
  const TMPEGAudio audio = TaggedAudio();
  const std::string_view macro = "%TR,R,2,0% %A,T% - %T,T%.mp3";
  for (auto _ : state) {
    std::string name = MacroDefinitions.ExpandText(macro, &audio, 0);
    benchmark::DoNotOptimize(name);
  }
}
BENCHMARK(BM_ExpandTypicalNamingMacro);

void BM_ExpandWithDefaultWidthsAndTemplate(benchmark::State& state) {
  const TMPEGAudio audio = TaggedAudio();
  const std::string_view macro = "%GAT,T% [%ALB,C,40,.,C%] %Y%";
  for (auto _ : state) {
    std::string name = MacroDefinitions.ExpandText(macro, &audio, 0);
    benchmark::DoNotOptimize(name);
  }
}
BENCHMARK(BM_ExpandWithDefaultWidthsAndTemplate);

void BM_FindMacro(benchmark::State& state) {
  const std::string_view names[] = {"T", "title", "GuessedArtist", "TR", "nnn", "NoSuchMacro"};
  for (auto _ : state) {
    for (std::string_view name : names) benchmark::DoNotOptimize(MacroDefinitions.FindMacro(name));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(std::size(names)));
}
BENCHMARK(BM_FindMacro);

}  // namespace
