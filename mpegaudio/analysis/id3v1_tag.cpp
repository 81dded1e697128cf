#include "mpegaudio/analysis/id3v1_tag.h"

namespace {

std::string_view Field(std::span<const unsigned char, kTagSize> block, std::size_t offset,
                       std::size_t size) {
  return {reinterpret_cast<const char*>(block.data()) + offset, size};
}

}  // namespace

bool IsTagBlock(std::span<const unsigned char, kTagSize> block) {
  return block[0] == 'T' && block[1] == 'A' && block[2] == 'G';
}

void ReadTag(std::span<const unsigned char, kTagSize> block, TAudioInfo& info) {
  info.TagId = StripRight(Field(block, 0, 3));
  info.Title = StripRight(Field(block, 3, 30));
  info.Artist = StripRight(Field(block, 33, 30));
  info.Album = StripRight(Field(block, 63, 30));
  // The year is kept raw: four NULs stay four characters.
  info.Year = Field(block, 93, 4);
  // Byte 126 is both the comment's last character and, in tags with a
  // track number (byte 125 NUL), the track.
  info.Comment = StripRight(Field(block, 97, 30));
  info.Genre = block[127];
  info.Track = block[126];
}

std::string_view StripRight(std::string_view text) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string_view StripLeft(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

std::string_view Strip(std::string_view text) { return StripLeft(StripRight(text)); }

const std::array<std::string_view, 126> GenreNames = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop",
    "Jazz", "Metal", "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock",
    "Techno", "Industrial", "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack",
    "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk", "Fusion", "Trance",
    "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise",
    "AlternRock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop",
    "Instrumental Rock", "Ethnic", "Gothic", "Darkwave", "Techno-Industrial", "Electronic",
    "Pop-Folk", "Eurodance", "Dream", "Southern Rock", "Comedy", "Cult", "Gangsta", "Top 40",
    "Christian Rap", "Pop/Funk", "Jungle", "Native American", "Cabaret", "New Wave",
    "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi", "Tribal", "Acid Punk",
    "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock", "Folk",
    "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebob", "Latin", "Revival",
    "Celtic", "Bluegrass", "Avantgarde", "Gothic Rock", "Progessive Rock",
    "Psychedelic Rock", "Symphonic Rock", "Slow Rock", "Big Band", "Chorus",
    "Easy Listening", "Acoustic", "Humour", "Speech", "Chanson", "Opera", "Chamber Music",
    "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove", "Satire", "Slow Jam",
    "Club", "Tango", "Samba", "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul",
    "Freestyle", "Duet", "Punk Rock", "Drum Solo", "A capella", "Euro-House", "Dance Hall"};
