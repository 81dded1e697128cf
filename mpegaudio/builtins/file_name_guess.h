// Artist and title read out of a file name of the form "Artist - Title.ext",
// for files whose tag is missing.
#pragma once

#include <string>

class TMPEGAudio;

// The one character that divides artist from title in a file name.
inline constexpr char ArtistTitleSeparator = '-';

// Text before the first separator of the name part, stripped; empty when
// the name has none.
void ExtractedArtist(const TMPEGAudio& audio, std::string& value);
// Text after the first separator, stripped, without its extension; empty
// when the name has no separator.
void ExtractedTitle(const TMPEGAudio& audio, std::string& value);
// The tag's artist for a tagged file; otherwise the extracted artist, or the
// default artist when nothing could be extracted.
void GuessedArtist(const TMPEGAudio& audio, std::string& value);
// The same for the title.
void GuessedTitle(const TMPEGAudio& audio, std::string& value);
