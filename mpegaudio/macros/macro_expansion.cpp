#include "mpegaudio/macros/macro_expansion.h"

#include <array>

#include "mpegaudio/analysis/id3v1_tag.h"
#include "mpegaudio/macros/item_formatting.h"

namespace {

constexpr std::size_t kItemFields = 5;

bool EqualsUpper(std::string_view text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (UpCase(text[i]) != upper[i]) return false;
  }
  return true;
}

void AppendUpper(std::string& out, std::string_view text) {
  for (char c : text) out.push_back(UpCase(c));
}

// Splits an item at its commas; fields after the fifth are ignored.
std::array<std::string_view, kItemFields> SplitFields(std::string_view inner) {
  std::array<std::string_view, kItemFields> fields{};
  std::size_t start = 0;
  for (std::size_t n = 0; n < kItemFields && start <= inner.size(); ++n) {
    std::size_t end = start;
    while (end < inner.size() && !FieldSeparators.Contains(inner[end])) ++end;
    fields[n] = inner.substr(start, end - start);
    start = end + 1;
  }
  return fields;
}

void StripInPlace(std::string& value) {
  const std::string_view kept = Strip(value);
  if (kept.empty()) {
    value.clear();
    return;
  }
  const auto offset = static_cast<std::size_t>(kept.data() - value.data());
  value.erase(offset + kept.size());
  value.erase(0, offset);
}

// True when the kind's own value function is missing; for a kind outside
// the enumeration, when none is set at all.
bool MissesValueFunc(const TMacro& macro) {
  switch (macro.Kind) {
    case mkFile: return macro.ValueFunc.File == nullptr;
    case mkSystem: return macro.ValueFunc.System == nullptr;
    case mkList: return macro.ValueFunc.List == nullptr;
    case mkSpecial:
    case mkComposite: return false;
    default: return macro.ValueFunc.IsNull();
  }
}

void ExpandInto(std::string& out, const TMacroDefinitions& definitions, std::string_view text,
                const TMPEGAudio* audio, std::uintptr_t listContext, int depth);

// The value of a resolved item with its formatting defaults.
struct TResolved {
  std::int32_t ImplicitWidth = 0;
  char DefaultAlign = 'L';
  char DefaultCase = 'N';
};

// Fills `value` and `resolved`; false when the item stays as written.
bool Resolve(std::string_view name, const TMacroDefinitions& definitions,
             const TMPEGAudio* audio, std::uintptr_t listContext, int depth,
             std::string& value, TResolved& resolved) {
  value.clear();
  if (IsNumber(name)) {
    std::int32_t code = 1;
    if (!ReadInteger(name, code)) code = 1;
    code &= 0xFF;
    value.push_back(static_cast<char>(code == 0 ? 1 : code));
    resolved.ImplicitWidth = 1;
    return true;
  }
  if (EqualsUpper(name, "NEWLINE") || EqualsUpper(name, "NL")) {
    value = "\r\n";
    resolved.ImplicitWidth = 2;
    return true;
  }
  if (EqualsUpper(name, "SOFTNEWLINE") || name == "#") {
    resolved.ImplicitWidth = 0;
    return true;
  }
  if (EqualsUpper(name, "TAB") || EqualsUpper(name, "TB")) {
    value = "\t";
    resolved.ImplicitWidth = 1;
    return true;
  }

  const std::int32_t index = definitions.FindMacro(name);
  if (index < 0) return false;
  const TMacro& macro = definitions.Macros(index);
  if (macro.Kind == mkFile && audio == nullptr) return false;
  if (macro.Kind == mkList && listContext == 0) return false;
  if (MissesValueFunc(macro)) {
    AppendUpper(value, name);
    value.append(kAssociationErrorText);
    resolved.ImplicitWidth = static_cast<std::int32_t>(value.size());
    return true;
  }

  resolved.ImplicitWidth = macro.DefaultWidth;
  resolved.DefaultAlign = macro.DefaultAlign;
  resolved.DefaultCase = macro.DefaultCase;
  switch (macro.Kind) {
    case mkFile:
      macro.ValueFunc.File(*audio, value);
      StripInPlace(value);
      return true;
    case mkSpecial:
      AppendUpper(value, name);
      value.append(kNoExecItemText);
      resolved.ImplicitWidth = static_cast<std::int32_t>(value.size());
      return true;
    case mkSystem:
      macro.ValueFunc.System(value);
      StripInPlace(value);
      return true;
    case mkList:
      macro.ValueFunc.List(listContext, value);
      StripInPlace(value);
      return true;
    case mkComposite:
      if (depth >= kMaxTemplateNesting) return false;
      ExpandInto(value, definitions, macro.Template, audio, listContext, depth + 1);
      return true;
    default:
      return false;
  }
}

// Appends the expansion of one item, `inner` being the text between its
// delimiters. `value` is the caller's scratch text, reused across items.
void AppendItem(std::string& out, std::string& value, std::string_view inner,
                const TMacroDefinitions& definitions, const TMPEGAudio* audio,
                std::uintptr_t listContext, int depth) {
  const char delimiter = definitions.Delimiter;
  const auto fields = SplitFields(inner);
  const std::string_view name = Strip(fields[0]);
  if (name.empty()) {
    out.push_back(delimiter);
    return;
  }
  TResolved resolved;
  if (!Resolve(name, definitions, audio, listContext, depth, value, resolved)) {
    out.push_back(delimiter);
    out.append(inner);
    out.push_back(delimiter);
    return;
  }
  AppendFormattedValue(out, value, TItemFields{fields[1], fields[2], fields[3], fields[4]},
                       resolved.ImplicitWidth, resolved.DefaultAlign, resolved.DefaultCase);
}

void ExpandInto(std::string& out, const TMacroDefinitions& definitions, std::string_view text,
                const TMPEGAudio* audio, std::uintptr_t listContext, int depth) {
  const char delimiter = definitions.Delimiter;
  std::string value;
  std::size_t position = 0;
  while (position < text.size()) {
    const std::size_t open = text.find(delimiter, position);
    if (open == std::string_view::npos) {
      out.append(text.substr(position));
      return;
    }
    out.append(text.substr(position, open - position));
    const std::size_t close = text.find(delimiter, open + 1);
    if (close == std::string_view::npos) {
      // Without its partner nothing after the delimiter can be read safely.
      out.append(kNoEndOfItemText);
      return;
    }
    AppendItem(out, value, text.substr(open + 1, close - open - 1), definitions, audio,
               listContext, depth);
    position = close + 1;
  }
}

}  // namespace

std::string TMacroDefinitions::ExpandText(std::string_view text, const TMPEGAudio* audio,
                                          std::uintptr_t listContext) const {
  std::string out;
  out.reserve(text.size());
  ExpandInto(out, *this, text, audio, listContext, 0);
  return out;
}

std::string ExpandItem(std::string_view item, const TMacroDefinitions& definitions,
                       const TMPEGAudio* audio, std::uintptr_t listContext) {
  std::string out;
  std::string value;
  const std::string_view inner =
      item.size() >= 2 ? item.substr(1, item.size() - 2) : std::string_view{};
  AppendItem(out, value, inner, definitions, audio, listContext, 0);
  return out;
}

std::size_t PosFrom(std::string_view sub, std::string_view text, std::size_t start) {
  if (sub.empty() || start > text.size()) return 0;
  const std::size_t from = start == 0 ? 0 : start - 1;
  const std::size_t found = text.find(sub, from);
  return found == std::string_view::npos ? 0 : found + 1;
}

std::string_view ExtractField(std::string_view text, int n, const TCharSet& separators) {
  if (n < 1) return {};
  std::size_t start = 0;
  for (int field = 1; field < n; ++field) {
    while (start < text.size() && !separators.Contains(text[start])) ++start;
    if (start >= text.size()) return {};
    ++start;
  }
  std::size_t end = start;
  while (end < text.size() && !separators.Contains(text[end])) ++end;
  return text.substr(start, end - start);
}

int FieldCount(std::string_view text, const TCharSet& separators) {
  if (text.empty() || (text.size() == 1 && separators.Contains(text[0]))) return 0;
  int count = 1;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (separators.Contains(text[i])) ++count;
  }
  return count;
}

bool IsNumber(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!NumberChars.Contains(c)) return false;
  }
  return true;
}
