// Tag texts are 8-bit (Windows-1252 by convention, sometimes UTF-8) while
// file names on POSIX systems are UTF-8 by convention.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Valid UTF-8 sequences pass unchanged; every other byte is read as
// Windows-1252 and written as UTF-8 (its five undefined codes as U+FFFD).
std::string RepairUtf8(std::string_view text);

// A new file name as the file system of this build wants it.
std::string ToFileSystemName(std::string_view text);

}  // namespace platform
