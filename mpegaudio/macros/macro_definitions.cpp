#include "mpegaudio/macros/macro_definitions.h"

#include "mpegaudio/analysis/fixed_text.h"

std::int32_t TMacroDefinitions::AddMacro(std::string_view shortName, std::string_view longName,
                                         std::int32_t defaultWidth, char defaultAlign,
                                         char defaultCase, std::string_view description,
                                         std::string_view group, std::uint8_t kind,
                                         TValueFunc valueFunc, std::string_view templateText) {
  macros_.push_back(TMacro{std::string(shortName), std::string(longName), defaultWidth,
                           defaultAlign, defaultCase, std::string(description),
                           std::string(group), kind, valueFunc, std::string(templateText)});
  return Count() - 1;
}

// Placeholder until the engine lands: linear scan.
std::int32_t TMacroDefinitions::FindMacro(std::string_view name) const {
  auto upperEquals = [](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      auto up = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
      if (up(a[i]) != up(b[i])) return false;
    }
    return true;
  };
  std::int32_t result = -1;
  for (std::int32_t i = 0; i < Count(); ++i) {
    if (upperEquals(macros_[i].LongName, name) || upperEquals(macros_[i].ShortName, name)) result = i;
  }
  return result;
}
