// Files that are not plain readable files must fail fast, never hang.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "mpegaudio/analysis/mpeg_audio.h"
#include "tests/support/mpeg_fixtures.h"
#include "tests/support/temp_dir.h"

namespace {

using fixtures::Titled;

TEST(AnalyseSpecialFiles, FifoFailsTheOpenWithoutWaitingForAWriter) {
  fixtures::TempDir dir;
  const std::string path = (dir.path() / "pipe.mp3").string();
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  TMPEGAudio audio;
  audio.SetFileName(path);
  EXPECT_FALSE(audio.IsValid());
  audio.AutoLoad = false;
  EXPECT_GT(audio.Analyse(), 0);
  EXPECT_EQ(audio.Info.Title.Str(), "[notag]");
}

TEST(AnalyseSpecialFiles, UnreadableFileReportsTheOpenError) {
  fixtures::TempDir dir;
  const std::string path = (dir.path() / "locked.mp3").string();
  fixtures::WriteFile(path, fixtures::TaggedFile(Titled("Locked")));
  std::filesystem::permissions(path, std::filesystem::perms::none);
  if (std::ifstream(path).is_open()) GTEST_SKIP() << "permission bits do not bind this user";
  TMPEGAudio audio;
  audio.AutoLoad = false;
  audio.SetFileName(path);
  EXPECT_GT(audio.Analyse(), 0);
  EXPECT_FALSE(audio.IsValid());
  EXPECT_FALSE(audio.HasTag());
  EXPECT_EQ(audio.GetFileName(), path);
}

TEST(AnalyseSpecialFiles, SymbolicLinksLeadToTheirTarget) {
  fixtures::TempDir dir;
  const auto target = dir.path() / "real.mp3";
  fixtures::WriteFile(target, fixtures::TaggedFile(Titled("Linked")));
  std::filesystem::create_symlink(target, dir.path() / "link.mp3");
  std::filesystem::create_symlink(dir.path() / "gone.mp3", dir.path() / "dangling.mp3");
  TMPEGAudio audio;
  audio.SetFileName((dir.path() / "link.mp3").string());
  EXPECT_EQ(audio.GetTitle(), "Linked");
  audio.SetFileName((dir.path() / "dangling.mp3").string());
  EXPECT_FALSE(audio.IsValid());
}

}  // namespace
