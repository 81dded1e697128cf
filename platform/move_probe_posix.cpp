#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/platform.h"

namespace platform {

ErrorCode ProbeMoveTarget(const std::string& to) {
  // lstat answers for the name itself: a dangling link counts as taken, as it
  // does for the move, and an over-long component gives ENAMETOOLONG.
  struct stat facts;
  if (lstat(to.c_str(), &facts) == 0) return EEXIST;
  if (errno != ENOENT) return errno;
  const std::string directory(DirectoryPart(to, PathStyle::Posix));
  if (access(directory.empty() ? "." : directory.c_str(), W_OK | X_OK) != 0) return errno;
  return 0;
}

bool IsAlreadyExists(ErrorCode code) { return code == EEXIST; }

std::string FileNameKey(std::string_view fullName) { return std::string(fullName); }

}  // namespace platform
