#include "renamer/file_mover.h"

#include "platform/platform.h"

bool TDiskMover::Move(const std::string& from, const std::string& to) {
  return platform::MoveFileNoReplace(from, to) == 0;
}

bool TPreviewMover::Move(const std::string& from, const std::string& to) {
  const std::string fromKey = platform::FileNameKey(from);
  const std::string toKey = platform::FileNameKey(to);
  // A move onto the file's own name succeeds and changes nothing.
  if (fromKey == toKey) return true;
  if (taken_.contains(toKey)) return false;
  platform::ErrorCode code = platform::ProbeMoveTarget(to);
  // Still on disk here, but gone by now in the real run.
  if (platform::IsAlreadyExists(code) && freed_.contains(toKey)) code = 0;
  if (code != 0) return false;
  freed_.erase(toKey);
  taken_.insert(toKey);
  taken_.erase(fromKey);
  freed_.insert(fromKey);
  return true;
}
