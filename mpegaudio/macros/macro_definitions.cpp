#include "mpegaudio/macros/macro_definitions.h"

#include <algorithm>

#include "mpegaudio/macros/item_formatting.h"

namespace {

// Orders an upper-cased stored name against an asked name, upper-casing the
// asked one on the fly so that a lookup needs no copy of it.
int CompareUpper(std::string_view stored, std::string_view asked) {
  const std::size_t common = std::min(stored.size(), asked.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto a = static_cast<unsigned char>(stored[i]);
    const auto b = static_cast<unsigned char>(UpCase(asked[i]));
    if (a != b) return a < b ? -1 : 1;
  }
  if (stored.size() == asked.size()) return 0;
  return stored.size() < asked.size() ? -1 : 1;
}

}  // namespace

std::int32_t TMacroDefinitions::AddMacro(std::string_view shortName, std::string_view longName,
                                         std::int32_t defaultWidth, char defaultAlign,
                                         char defaultCase, std::string_view description,
                                         std::string_view group, std::uint8_t kind,
                                         TValueFunc valueFunc, std::string_view templateText) {
  macros_.push_back(TMacro{std::string(shortName), std::string(longName), defaultWidth,
                           defaultAlign, defaultCase, std::string(description),
                           std::string(group), kind, valueFunc, std::string(templateText)});
  const std::int32_t index = Count() - 1;
  IndexName(shortName, index);
  IndexName(longName, index);
  return index;
}

void TMacroDefinitions::IndexName(std::string_view name, std::int32_t index) {
  auto at = std::lower_bound(index_.begin(), index_.end(), name,
                             [](const IndexEntry& entry, std::string_view asked) {
                               return CompareUpper(entry.UpperName, asked) < 0;
                             });
  if (at != index_.end() && CompareUpper(at->UpperName, name) == 0) {
    // Entries only ever grow in index, so the newest holder of a name wins.
    at->Index = index;
    return;
  }
  index_.insert(at, IndexEntry{UpperCase(name), index});
  longestName_ = std::max(longestName_, name.size());
}

std::int32_t TMacroDefinitions::FindMacro(std::string_view name) const {
  if (name.size() > longestName_) return -1;
  auto at = std::lower_bound(index_.begin(), index_.end(), name,
                             [](const IndexEntry& entry, std::string_view asked) {
                               return CompareUpper(entry.UpperName, asked) < 0;
                             });
  if (at == index_.end() || CompareUpper(at->UpperName, name) != 0) return -1;
  return at->Index;
}
