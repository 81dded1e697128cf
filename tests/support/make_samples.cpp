// norvel-samples: writes synthetic MPEG audio files (no real music) for the
// demo folder and the benchmark corpora.
//
//   norvel-samples demo DIR
//   norvel-samples corpus DIR FILES FOLDERS [ID3V2_BYTES]
//   norvel-samples nosync FILE MEGABYTES
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/mpeg_fixtures.h"

namespace {

namespace fs = std::filesystem;
using fixtures::Bytes;
using fixtures::HeaderFields;
using fixtures::Tag;

Tag MakeTag(std::string artist, std::string title, int track = -1) {
  Tag tag;
  tag.artist = std::move(artist);
  tag.title = std::move(title);
  tag.album = "Norvel Demo Sessions";
  tag.year = "2026";
  tag.track = track;
  tag.genre = 8;
  return tag;
}

int MakeDemo(const fs::path& dir) {
  fs::create_directories(dir / "live");
  HeaderFields mpeg2;
  mpeg2.version = fixtures::Version::Mpeg2;
  mpeg2.bitRate = 64;
  mpeg2.sampleRate = 22050;
  mpeg2.mode = fixtures::Mode::Mono;

  fixtures::WriteFile(dir / "track01.mp3", fixtures::TaggedFile(MakeTag("The Band", "Song", 1)));
  fixtures::WriteFile(dir / "track02.mp3",
                      fixtures::TaggedFile(MakeTag("Miles Ahead", "So What?", 2), 12));
  fixtures::WriteFile(dir / "live" / "01 intro.mp3",
                      fixtures::TaggedFile(MakeTag("Caf\xE9 Society", "Intro", 1), 8, mpeg2));
  // A variable-rate file: a Xing frame counting the frames that follow.
  Bytes vbr = fixtures::XingFrame(HeaderFields{}, 1, 40);
  fixtures::Append(vbr, fixtures::Frames(HeaderFields{}, 40));
  fixtures::Append(vbr, fixtures::Id3v1(MakeTag("Night Train", "Night & Day", 2)));
  fixtures::WriteFile(dir / "live" / "02 night.mp3", vbr);
  fixtures::WriteFile(dir / "untagged.mp3", fixtures::Frames(HeaderFields{}, 8));
  const std::string notes = "Not audio: a text file that happens to end in .mp3\n";
  fixtures::WriteFile(dir / "notes.mp3", Bytes(notes.begin(), notes.end()));

  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (entry.is_regular_file()) names.push_back(fs::relative(entry.path(), dir).string());
  }
  std::sort(names.begin(), names.end());
  std::printf("Demo folder %s:\n", dir.string().c_str());
  for (const std::string& name : names) std::printf("  %s\n", name.c_str());
  std::printf("\n");
  return 0;
}

int MakeCorpus(const fs::path& dir, int files, int folders, std::size_t id3v2Size) {
  for (int i = 0; i < files; ++i) {
    const fs::path folder = dir / ("folder" + std::to_string(i % folders));
    if (i < folders) fs::create_directories(folder);
    const Tag tag = MakeTag("Artist " + std::to_string(i % 97), "Title " + std::to_string(i));
    fixtures::WriteFile(folder / ("file" + std::to_string(i) + ".mp3"),
                        fixtures::TaggedFile(tag, 8, HeaderFields{}, id3v2Size));
  }
  return 0;
}

// A large file that the header search must cross whole: no 0xFF byte.
int MakeNoSync(const fs::path& file, long megabytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  std::vector<char> block(1 << 20);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i % 251);
  for (long i = 0; i < megabytes && out; ++i) out.write(block.data(), static_cast<std::streamsize>(block.size()));
  return out ? 0 : 1;
}

int Usage() {
  std::fprintf(stderr,
               "usage: norvel-samples demo DIR\n"
               "       norvel-samples corpus DIR FILES FOLDERS [ID3V2_BYTES]\n"
               "       norvel-samples nosync FILE MEGABYTES\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "demo") return MakeDemo(args[1]);
  if ((args.size() == 4 || args.size() == 5) && args[0] == "corpus") {
    const std::size_t id3v2 = args.size() == 5 ? std::stoul(args[4]) : 0;
    return MakeCorpus(args[1], std::stoi(args[2]), std::stoi(args[3]), id3v2);
  }
  if (args.size() == 3 && args[0] == "nosync") return MakeNoSync(args[1], std::stol(args[2]));
  return Usage();
}
