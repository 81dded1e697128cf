// Path text work that needs no system call. The separator style is a
// parameter so that both styles can be tested on any host.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Posix: '/' separates. Windows: '\' separates and ':' ends a drive part.
enum class PathStyle { Posix, Windows };

bool IsPathDelimiter(char c, PathStyle style);

// Everything after the last delimiter (the whole text when there is none).
std::string_view NamePart(std::string_view path, PathStyle style);
// Everything up to and including the last delimiter (empty when none).
std::string_view DirectoryPart(std::string_view path, PathStyle style);

// The absolute form of `name` against `currentDirectory`, worked out as text
// alone: ".", ".." and repeated separators are resolved, links are not, the
// file need not exist, wildcards stay as typed and a trailing separator is
// kept. The result is cut to `capacity` characters.
std::string LexicalFullPath(std::string_view name,
                            std::string_view currentDirectory, PathStyle style,
                            std::size_t capacity);

// DOS wildcard match of a file name against a mask: '*' any run, '?' any one
// character; ASCII letters match regardless of case; "*.*" matches every
// name and a mask ending in ".*" also matches the name without extension.
bool MatchesMask(std::string_view name, std::string_view mask);

}  // namespace platform
