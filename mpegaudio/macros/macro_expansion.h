// Expansion of macro texts: literal runs are copied, every item between two
// delimiters is replaced by its formatted value. Problems never stop an
// expansion; each becomes text in the output.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "mpegaudio/macros/char_set.h"
#include "mpegaudio/macros/macro_definitions.h"

// The fields of an item: name, alignment, width, fill, case.
inline constexpr TCharSet FieldSeparators{","};
// What an item name is made of when it asks for a character by its code.
inline constexpr TCharSet NumberChars{"0123456789."};

inline constexpr std::string_view kNoEndOfItemText = "<<<ERROR!!! No end of item definition!>>>";
inline constexpr std::string_view kAssociationErrorText = " association error!!! ";
inline constexpr std::string_view kNoExecItemText = "is NoExec Item!";

// Templates that refer to themselves, directly or through others, would
// expand without end; an item nested deeper than this comes out as written.
inline constexpr int kMaxTemplateNesting = 32;

// One item, `item` holding both of its delimiters, expanded against
// `definitions`.
std::string ExpandItem(std::string_view item, const TMacroDefinitions& definitions,
                       const TMPEGAudio* audio, std::uintptr_t listContext);

// 1-based position of the first `sub` in `text` that begins at or after
// `start`; 0 when there is none.
std::size_t PosFrom(std::string_view sub, std::string_view text, std::size_t start);

// The n-th field (1-based) between separators; empty when there is none.
// The result is a view into `text`.
std::string_view ExtractField(std::string_view text, int n, const TCharSet& separators);

// 0 for an empty text and for one separator alone; otherwise one more than
// the separators among all characters but the last.
int FieldCount(std::string_view text, const TCharSet& separators);

// Not empty, and made of NumberChars only.
bool IsNumber(std::string_view text);
