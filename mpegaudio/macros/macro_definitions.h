// The macro registry: every macro the expander knows, in registration order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TMPEGAudio;

enum TMacroKind : std::uint8_t {
  mkFile = 0,       // read from the audio object being expanded
  mkSpecial = 1,    // produced by the expander itself
  mkSystem = 2,     // independent of any file
  mkList = 3,       // taken from a list context
  mkComposite = 4,  // the expansion of the entry's template
};

// Value functions set `value` on every path and never fail.
using TFileValueFunc = void (*)(const TMPEGAudio& audio, std::string& value);
using TSystemValueFunc = void (*)(std::string& value);
using TListValueFunc = void (*)(std::uintptr_t listContext, std::string& value);

// The value function of an entry, of whichever form its kind calls for.
struct TValueFunc {
  TFileValueFunc File = nullptr;
  TSystemValueFunc System = nullptr;
  TListValueFunc List = nullptr;

  constexpr TValueFunc() = default;
  constexpr TValueFunc(std::nullptr_t) {}                    // NOLINT
  constexpr TValueFunc(TFileValueFunc f) : File(f) {}        // NOLINT
  constexpr TValueFunc(TSystemValueFunc f) : System(f) {}    // NOLINT
  constexpr TValueFunc(TListValueFunc f) : List(f) {}        // NOLINT
  constexpr bool IsNull() const { return !File && !System && !List; }
};

struct TMacro {
  std::string ShortName;
  std::string LongName;
  std::int32_t DefaultWidth = 0;
  char DefaultAlign = 'L';
  char DefaultCase = 'N';
  std::string Description;
  std::string Group;
  // Stored as given: a value outside the enumeration leaves items unresolved.
  std::uint8_t Kind = mkFile;
  TValueFunc ValueFunc;
  std::string Template;
};

class TMacroDefinitions {
 public:
  TMacroDefinitions() = default;

  // Appends an entry as given, validating nothing; returns its index.
  std::int32_t AddMacro(std::string_view shortName, std::string_view longName,
                        std::int32_t defaultWidth, char defaultAlign,
                        char defaultCase, std::string_view description,
                        std::string_view group, std::uint8_t kind,
                        TValueFunc valueFunc, std::string_view templateText);

  // Index of the entry whose long or short name equals `name` (ASCII case
  // ignored, exact length); the last registered wins; -1 when none.
  // Never allocates.
  std::int32_t FindMacro(std::string_view name) const;

  const TMacro& Macros(std::int32_t index) const { return macros_.at(index); }
  std::int32_t Count() const { return static_cast<std::int32_t>(macros_.size()); }

  // Opens and closes an item; read at the moment of every expansion.
  char Delimiter = '%';

  // The text with every item replaced by its value (see macro_expansion.h).
  std::string ExpandText(std::string_view text, const TMPEGAudio* audio,
                         std::uintptr_t listContext) const;

 private:
  void IndexName(std::string_view name, std::int32_t index);

  std::vector<TMacro> macros_;
  // Every distinct upper-cased name, sorted, with the last entry that holds
  // it: answers as a scan of the whole list would, without allocating.
  struct IndexEntry {
    std::string UpperName;
    std::int32_t Index;
  };
  std::vector<IndexEntry> index_;
  // A longer name cannot match; such lookups end at once.
  std::size_t longestName_ = 0;
};

// The library's one registry, filled with the built-in catalogue before
// main() runs.
extern TMacroDefinitions MacroDefinitions;
