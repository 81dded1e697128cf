#include <windows.h>

#include "platform/platform.h"

namespace platform {

ErrorCode ProbeMoveTarget(const std::string& to) {
  if (to.size() >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
  if (GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES) return ERROR_ALREADY_EXISTS;
  const DWORD error = GetLastError();
  if (error != ERROR_FILE_NOT_FOUND) return static_cast<ErrorCode>(error);
  const std::string directory(DirectoryPart(to, PathStyle::Windows));
  const DWORD attributes = GetFileAttributesA(directory.empty() ? "." : directory.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return static_cast<ErrorCode>(GetLastError());
  return 0;
}

bool IsAlreadyExists(ErrorCode code) {
  return code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS;
}

std::string FileNameKey(std::string_view fullName) {
  std::string key(fullName);
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

}  // namespace platform
