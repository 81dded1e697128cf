#include "platform/path_text.h"

#include <vector>

namespace platform {

namespace {

// Windows itself takes '/' as a separator when it expands a path, so the
// lexical work does the same; the result holds only '\'.
bool IsSeparator(char c, PathStyle style) {
  return c == '/' || (style == PathStyle::Windows && c == '\\');
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool HasDrive(std::string_view path) {
  return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
}

bool IsUncPath(std::string_view path) {
  return path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
         (path[1] == '\\' || path[1] == '/');
}

// Splits the text after a root into its components, resolving "." and ".."
// against those already taken. A ".." above the root stays at the root, as
// the systems do; in a relative result (no root known) it is kept.
void AppendComponents(std::string_view text, PathStyle style, bool rooted,
                      std::vector<std::string_view>& components) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = start;
    while (end < text.size() && !IsSeparator(text[end], style)) ++end;
    const std::string_view component = text.substr(start, end - start);
    if (component.empty() || component == ".") {
      // Repeated separators and "." add nothing.
    } else if (component == "..") {
      if (!components.empty() && components.back() != "..") {
        components.pop_back();
      } else if (!rooted) {
        components.push_back(component);
      }
    } else {
      components.push_back(component);
    }
    start = end + 1;
  }
}

// A Windows path split into its root ("C:\", "\\server\share\") and the
// rest; the root is empty for a relative path.
struct TWindowsRoot {
  std::string Root;
  std::string_view Rest;
  bool DriveRelative = false;  // "C:x": relative to that drive's directory
  bool DriveAbsent = false;    // "\x": the current drive's root
};

TWindowsRoot SplitWindowsRoot(std::string_view path) {
  TWindowsRoot result;
  if (IsUncPath(path)) {
    // "\\server\share" is the root; nothing climbs above it.
    std::size_t position = 2;
    for (int part = 0; part < 2; ++part) {
      while (position < path.size() && !IsSeparator(path[position], PathStyle::Windows)) {
        ++position;
      }
      if (part == 0 && position < path.size()) ++position;
    }
    result.Root = "\\\\";
    for (char c : path.substr(2, position - 2)) {
      result.Root += IsSeparator(c, PathStyle::Windows) ? '\\' : c;
    }
    result.Root += '\\';
    result.Rest = path.substr(position);
  } else if (HasDrive(path)) {
    result.Root = std::string{path[0], ':', '\\'};
    result.Rest = path.substr(2);
    result.DriveRelative =
        result.Rest.empty() || !IsSeparator(result.Rest.front(), PathStyle::Windows);
  } else if (!path.empty() && IsSeparator(path.front(), PathStyle::Windows)) {
    result.DriveAbsent = true;
    result.Rest = path;
  } else {
    result.Rest = path;
  }
  return result;
}

std::string Join(std::string_view root, const std::vector<std::string_view>& components,
                 char separator, bool trailingSeparator) {
  std::string result(root);
  for (std::size_t i = 0; i < components.size(); ++i) {
    if (i > 0) result += separator;
    result += components[i];
  }
  if (trailingSeparator && !components.empty()) result += separator;
  return result;
}

std::string PosixFullPath(std::string_view name, std::string_view currentDirectory) {
  std::vector<std::string_view> components;
  bool rooted = true;
  if (name.empty() || name.front() != '/') {
    if (currentDirectory.empty()) {
      // No known current directory: stay relative rather than guess a root.
      rooted = false;
    } else {
      AppendComponents(currentDirectory, PathStyle::Posix, true, components);
    }
  }
  AppendComponents(name, PathStyle::Posix, rooted, components);
  const bool trailing = !name.empty() && name.back() == '/';
  if (!rooted) {
    if (components.empty()) return ".";
    return Join("", components, '/', trailing);
  }
  return Join("/", components, '/', trailing);
}

std::string WindowsFullPath(std::string_view name, std::string_view currentDirectory) {
  const TWindowsRoot current = SplitWindowsRoot(currentDirectory);
  TWindowsRoot named = SplitWindowsRoot(name);
  std::vector<std::string_view> components;
  std::string root;
  if (named.DriveAbsent) {
    root = current.Root;
  } else if (named.Root.empty()) {
    root = current.Root;
    AppendComponents(current.Rest, PathStyle::Windows, true, components);
  } else {
    root = named.Root;
    // "C:x" is taken relative to the current directory when that is on the
    // same drive, and to the drive's root otherwise.
    if (named.DriveRelative && !current.Root.empty() &&
        AsciiUpper(current.Root.front()) == AsciiUpper(named.Root.front())) {
      AppendComponents(current.Rest, PathStyle::Windows, true, components);
    }
  }
  AppendComponents(named.Rest, PathStyle::Windows, true, components);
  const bool trailing = !name.empty() && IsSeparator(name.back(), PathStyle::Windows);
  return Join(root, components, '\\', trailing);
}

// Iterative wildcard match: on a mismatch after '*' the star takes one more
// character and the rest is tried again, so the work is bounded by
// name length x mask length, never exponential.
bool GlobMatches(std::string_view name, std::string_view mask) {
  std::size_t n = 0, m = 0;
  std::size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() &&
               (mask[m] == '?' || AsciiUpper(mask[m]) == AsciiUpper(name[n]))) {
      ++m;
      ++n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace

bool IsPathDelimiter(char c, PathStyle style) {
  if (style == PathStyle::Windows) return c == '\\' || c == ':';
  return c == '/';
}

std::string_view NamePart(std::string_view path, PathStyle style) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsPathDelimiter(path[i - 1], style)) return path.substr(i);
  }
  return path;
}

std::string_view DirectoryPart(std::string_view path, PathStyle style) {
  return path.substr(0, path.size() - NamePart(path, style).size());
}

std::string LexicalFullPath(std::string_view name, std::string_view currentDirectory,
                            PathStyle style, std::size_t capacity) {
  std::string result = style == PathStyle::Windows
                           ? WindowsFullPath(name, currentDirectory)
                           : PosixFullPath(name, currentDirectory);
  if (result.size() > capacity) result.resize(capacity);
  return result;
}

bool MatchesMask(std::string_view name, std::string_view mask) {
  if (GlobMatches(name, mask)) return true;
  // "song.*" also lists "song", and so "*.*" lists every name.
  return mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*" &&
         GlobMatches(name, mask.substr(0, mask.size() - 2));
}

}  // namespace platform
