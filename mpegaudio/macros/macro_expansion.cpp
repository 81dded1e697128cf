#include "mpegaudio/macros/macro_definitions.h"

// Placeholder until the engine lands.
std::string TMacroDefinitions::ExpandText(std::string_view text, const TMPEGAudio*,
                                          std::uintptr_t) const {
  return std::string(text);
}
