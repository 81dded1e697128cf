// Test paths are written with '/'; a Windows build splits paths at '\'.
#pragma once

#include <algorithm>
#include <string>

#include "platform/platform.h"

namespace fixtures {

inline std::string NativePath(std::string path) {
  if (platform::kNativePathStyle == platform::PathStyle::Windows) {
    std::replace(path.begin(), path.end(), '/', '\\');
  }
  return path;
}

}  // namespace fixtures
