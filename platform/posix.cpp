// The platform services on POSIX systems (Linux first).
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/output_buffer.h"
#include "platform/platform.h"

namespace platform {

namespace {

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The names upper-cased in ASCII decide; ties fall back to the bytes, so the
// order never depends on the locale or on the file system's own order.
bool ListsBefore(const std::string& left, const std::string& right) {
  const std::size_t common = std::min(left.size(), right.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto a = static_cast<unsigned char>(AsciiUpper(left[i]));
    const auto b = static_cast<unsigned char>(AsciiUpper(right[i]));
    if (a != b) return a < b;
  }
  if (left.size() != right.size()) return left.size() < right.size();
  return left < right;
}

// Packed DOS form: year-1980 in bits 31-25, month 24-21, day 20-16, hour
// 15-11, minute 10-5, seconds/2 4-0. Outside 1980..2107 the form has no
// room, and -1 is the systems' own "no date".
std::int32_t PackDosDateTime(time_t seconds) {
  struct tm local {};
  if (localtime_r(&seconds, &local) == nullptr) return -1;
  const int year = local.tm_year + 1900;
  if (year < 1980 || year > 2107) return -1;
  const int second = std::min(local.tm_sec, 59);  // a leap second
  const std::uint32_t packed = (static_cast<std::uint32_t>(year - 1980) << 25) |
                               (static_cast<std::uint32_t>(local.tm_mon + 1) << 21) |
                               (static_cast<std::uint32_t>(local.tm_mday) << 16) |
                               (static_cast<std::uint32_t>(local.tm_hour) << 11) |
                               (static_cast<std::uint32_t>(local.tm_min) << 5) |
                               static_cast<std::uint32_t>(second / 2);
  return static_cast<std::int32_t>(packed);
}

// Attribute bits as the program's callers know them from Windows.
std::uint32_t AttributesOf(std::string_view name, const struct stat& facts) {
  std::uint32_t attributes = 0;
  if (!name.empty() && name.front() == '.') attributes |= faHidden;
  if (S_ISDIR(facts.st_mode)) {
    attributes |= faDirectory;
  } else if (S_ISREG(facts.st_mode)) {
    attributes |= faArchive;
  } else {
    attributes |= faSysFile;
  }
  if ((facts.st_mode & S_IWUSR) == 0) attributes |= faReadOnly;
  return attributes;
}

bool PassesFilter(std::uint32_t attributes, std::uint32_t attributeMask) {
  constexpr std::uint32_t kFiltered = faHidden | faSysFile | faVolumeID | faDirectory;
  return (attributes & kFiltered & ~attributeMask) == 0;
}

// The kind of an entry as the directory itself tells it, without a stat;
// false for links and where the directory cannot say.
bool DescribeKind(const struct dirent& entry, TSearchRec& record) {
  switch (entry.d_type) {
    case DT_REG:
      record.Attr = faArchive;
      break;
    case DT_DIR:
      record.Attr = faDirectory;
      break;
    case DT_FIFO:
    case DT_CHR:
    case DT_BLK:
    case DT_SOCK:
      record.Attr = faSysFile;
      break;
    default:
      return false;
  }
  if (record.Name.front() == '.') record.Attr |= faHidden;
  return true;
}

// Fills the record of one entry that the mask has already accepted. One
// stat that follows links; a second one only when the directory cannot say
// whether the entry is a link.
void DescribeEntry(int directory, const struct dirent& entry, TSearchRec& record) {
  bool isLink = entry.d_type == DT_LNK;
  struct stat facts {};
  if (entry.d_type == DT_UNKNOWN) {
    if (fstatat(directory, entry.d_name, &facts, AT_SYMLINK_NOFOLLOW) != 0) {
      record.Attr = faSysFile;
      return;
    }
    isLink = S_ISLNK(facts.st_mode);
  }
  if (entry.d_type != DT_UNKNOWN || isLink) {
    if (fstatat(directory, entry.d_name, &facts, 0) != 0) {
      // A dangling link is listed; opening it fails later.
      record.Attr = faSysFile | (isLink ? faSymLink : 0);
      if (record.Name.front() == '.') record.Attr |= faHidden;
      return;
    }
  }
  record.Attr = AttributesOf(record.Name, facts) | (isLink ? faSymLink : 0);
  record.Size = S_ISREG(facts.st_mode) ? static_cast<std::int64_t>(facts.st_size) : 0;
  record.Time = PackDosDateTime(facts.st_mtim.tv_sec);
}

// ---------------------------------------------------------------------------
// Standard output.

[[noreturn]] void Fail(int code) {
  std::string message = "norvel: cannot write to standard output: ";
  message += std::strerror(code);
  message += '\n';
  // Nothing more can be said if standard error fails as well.
  [[maybe_unused]] const ssize_t ignored =
      ::write(STDERR_FILENO, message.data(), message.size());
  _exit(kOutputFailedExitCode);
}

void WriteAll(const char* data, std::size_t count) {
  while (count > 0) {
    const ssize_t written = ::write(STDOUT_FILENO, data, count);
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    if (written == 0) Fail(EIO);
    data += written;
    count -= static_cast<std::size_t>(written);
  }
}

TOutputBuffer<WriteAll>& Output() {
  static TOutputBuffer<WriteAll> output;
  return output;
}

void FlushAtExit() { Flush(); }

struct tm ToTm(const TLocalDateTime& value) {
  struct tm fields {};
  fields.tm_year = value.Year - 1900;
  fields.tm_mon = value.Month - 1;
  fields.tm_mday = value.Day;
  fields.tm_hour = value.Hour;
  fields.tm_min = value.Minute;
  fields.tm_sec = value.Second;
  // Weekday and day of the year follow from the date; some formats show them.
  struct tm normalised = fields;
  timegm(&normalised);
  fields.tm_wday = normalised.tm_wday;
  fields.tm_yday = normalised.tm_yday;
  return fields;
}

std::string FormatTm(const TLocalDateTime& value, const char* format) {
  const struct tm fields = ToTm(value);
  char text[256];
  const std::size_t length = std::strftime(text, sizeof(text), format, &fields);
  return std::string(text, length);
}

}  // namespace

bool IsNotFound(ErrorCode code) { return code == ENOENT || code == ENOTDIR; }

// ---------------------------------------------------------------------------
// Directory entries.

std::vector<TSearchRec> FindEntries(std::string_view pattern, std::uint32_t attributeMask,
                                    TEntryNeeds needs) {
  const bool directoriesOnly = needs == TEntryNeeds::DirectoriesOnly;
  std::vector<TSearchRec> entries;
  const std::string_view mask = NamePart(pattern, PathStyle::Posix);
  if (mask.empty()) return entries;
  std::string directoryName(DirectoryPart(pattern, PathStyle::Posix));
  if (directoryName.empty()) directoryName = ".";

  DIR* directory = opendir(directoryName.c_str());
  if (directory == nullptr) return entries;
  const int directoryHandle = dirfd(directory);
  while (const struct dirent* entry = readdir(directory)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (!MatchesMask(name, mask)) continue;
    // What the name or the directory itself already rules out costs no stat.
    if (name.front() == '.' && (attributeMask & faHidden) == 0) continue;
    if (directoriesOnly && entry->d_type != DT_DIR && entry->d_type != DT_LNK &&
        entry->d_type != DT_UNKNOWN) {
      continue;
    }
    TSearchRec record;
    record.Name = name;
    if (needs == TEntryNeeds::Everything || !DescribeKind(*entry, record)) {
      DescribeEntry(directoryHandle, *entry, record);
    }
    if (directoriesOnly && (record.Attr & faDirectory) == 0) continue;
    if (PassesFilter(record.Attr, attributeMask)) entries.push_back(std::move(record));
  }
  closedir(directory);
  std::sort(entries.begin(), entries.end(), [](const TSearchRec& a, const TSearchRec& b) {
    return ListsBefore(a.Name, b.Name);
  });
  return entries;
}

// ---------------------------------------------------------------------------
// Names.

std::string CurrentDirectory() {
  // The program never changes its directory, so one look is enough.
  static const std::string current = [] {
    std::string text(4096, '\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
      if (getcwd(text.data(), text.size()) != nullptr) {
        text.resize(std::strlen(text.c_str()));
        return text;
      }
      if (errno != ERANGE) break;
      text.resize(text.size() * 2);
    }
    // The directory was removed or cannot be named: names stay relative.
    return std::string();
  }();
  return current;
}

std::string FullPathName(std::string_view name) {
  return LexicalFullPath(name, CurrentDirectory(), PathStyle::Posix, kMaxPathLength);
}

bool ShortPathName(std::string_view, std::string&) { return false; }

std::string VolumeLabel(char) { return std::string(); }

// ---------------------------------------------------------------------------
// Files.

namespace {

// A run meets its files folder by folder. Opening and moving each relative
// to a kept handle of its folder spares the system a walk of the whole path
// every time. The handle stands for the folder as first met; the program
// never moves folders.
class TFolderHandle {
 public:
  ~TFolderHandle() {
    if (handle_ >= 0) ::close(handle_);
  }

  // The folder handle to use with the name part of `path` (which stays
  // NUL-terminated as the tail of the path), or AT_FDCWD with all of it.
  struct TRelative {
    int Folder;
    const char* Name;
  };
  TRelative Split(const std::string& path) {
    const std::string_view folder = DirectoryPart(path, PathStyle::Posix);
    if (folder.empty()) return {AT_FDCWD, path.c_str()};
    if (folder != folder_) {
      if (handle_ >= 0) ::close(handle_);
      folder_ = folder;
      handle_ = ::open(folder_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    }
    if (handle_ < 0) return {AT_FDCWD, path.c_str()};
    return {handle_, path.c_str() + folder.size()};
  }

  // 0 when a name can be made in the folder of `path`, else the code a move
  // into it would meet. Asked once per folder: a run changes no rights.
  ErrorCode WritableError(const std::string& path) {
    const std::string_view folder = DirectoryPart(path, PathStyle::Posix);
    if (!writableKnown_ || folder != writableFolder_) {
      writableFolder_ = folder;
      writableKnown_ = true;
      const char* name = writableFolder_.empty() ? "." : writableFolder_.c_str();
      writableError_ = access(name, W_OK | X_OK) == 0 ? 0 : errno;
    }
    return writableError_;
  }

 private:
  std::string folder_;
  int handle_ = -1;
  std::string writableFolder_;
  bool writableKnown_ = false;
  ErrorCode writableError_ = 0;
};

TFolderHandle& Folders() {
  static TFolderHandle folders;
  return folders;
}

}  // namespace

ErrorCode MoveFileNoReplace(const std::string& from, const std::string& to) {
  if (FullPathName(from) == FullPathName(to)) return 0;
  // Both names in one folder (the renamer's case) go through its handle.
  TFolderHandle::TRelative source = Folders().Split(from);
  TFolderHandle::TRelative target{AT_FDCWD, to.c_str()};
  if (DirectoryPart(from, PathStyle::Posix) == DirectoryPart(to, PathStyle::Posix)) {
    target = {source.Folder, to.c_str() + DirectoryPart(to, PathStyle::Posix).size()};
  } else {
    source = {AT_FDCWD, from.c_str()};
  }
#ifdef SYS_renameat2
  constexpr unsigned kRenameNoReplace = 1;  // RENAME_NOREPLACE
  if (syscall(SYS_renameat2, source.Folder, source.Name, target.Folder, target.Name,
              kRenameNoReplace) == 0) {
    return 0;
  }
  if (errno != EINVAL && errno != ENOSYS) return errno;
#endif
  // The file system does not take the flag: a hard link fails on an existing
  // target just as atomically, and the old name goes afterwards.
  if (linkat(source.Folder, source.Name, target.Folder, target.Name, 0) != 0) return errno;
  if (unlinkat(source.Folder, source.Name, 0) != 0) {
    const ErrorCode code = errno;
    unlinkat(target.Folder, target.Name, 0);
    return code;
  }
  return 0;
}

ErrorCode ProbeMoveTarget(const std::string& to) {
  // lstat answers for the name itself: a dangling link counts as taken, as
  // it does for the move, and an over-long name gives ENAMETOOLONG.
  const TFolderHandle::TRelative target = Folders().Split(to);
  // No name at all: the target would be the folder itself.
  if (*target.Name == '\0') return ENOENT;
  struct stat facts;
  if (fstatat(target.Folder, target.Name, &facts, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
  if (errno != ENOENT) return errno;
  return Folders().WritableError(to);
}

bool IsAlreadyExists(ErrorCode code) { return code == EEXIST; }

std::string FileNameKey(std::string_view fullName) { return std::string(fullName); }

ErrorCode ReadOnlyFile::Open(const std::string& name) {
  Close();
  // O_NONBLOCK: opening a FIFO without a writer must not wait for one.
  const TFolderHandle::TRelative relative = Folders().Split(name);
  const int handle =
      ::openat(relative.Folder, relative.Name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (handle < 0) return errno;
  struct stat facts {};
  if (fstat(handle, &facts) != 0) {
    const ErrorCode code = errno;
    ::close(handle);
    return code;
  }
  if (!S_ISREG(facts.st_mode)) {
    ::close(handle);
    return S_ISDIR(facts.st_mode) ? EISDIR : EINVAL;
  }
  handle_ = handle;
  size_ = static_cast<std::int64_t>(facts.st_size);
  dosDateTime_ = PackDosDateTime(facts.st_mtim.tv_sec);
  attributes_ = static_cast<std::uint16_t>(
      AttributesOf(NamePart(name, PathStyle::Posix), facts));
  return 0;
}

void ReadOnlyFile::Close() {
  if (handle_ == kNoHandle) return;
  ::close(static_cast<int>(handle_));
  handle_ = kNoHandle;
}

std::int64_t ReadOnlyFile::ReadAt(std::int64_t position, void* buffer,
                                  std::size_t count) const {
  if (!IsOpen() || position < 0) return -1;
  for (;;) {
    const ssize_t read = ::pread(static_cast<int>(handle_), buffer, count,
                                 static_cast<off_t>(position));
    if (read >= 0) return read;
    if (errno != EINTR) return -1;
  }
}

// ---------------------------------------------------------------------------
// Window messages: a console process on POSIX has none.

void PumpMessages() {}

// ---------------------------------------------------------------------------
// Clock and locale.

TLocalDateTime LocalNow() {
  struct timespec now {};
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm local {};
  localtime_r(&now.tv_sec, &local);
  TLocalDateTime result;
  result.Year = local.tm_year + 1900;
  result.Month = local.tm_mon + 1;
  result.Day = local.tm_mday;
  result.Hour = local.tm_hour;
  result.Minute = local.tm_min;
  result.Second = std::min(local.tm_sec, 59);
  result.Millisecond = static_cast<int>(now.tv_nsec / 1000000);
  return result;
}

const TLocaleSettings& Locale() {
  static const TLocaleSettings settings = [] {
    TLocaleSettings result;
    const struct lconv* numeric = std::localeconv();
    if (numeric != nullptr) {
      if (numeric->decimal_point != nullptr && *numeric->decimal_point != '\0') {
        result.DecimalSeparator = numeric->decimal_point;
      }
      // The C locale groups nothing; the numbers still need a separator.
      if (numeric->thousands_sep != nullptr && *numeric->thousands_sep != '\0') {
        result.ThousandSeparator = numeric->thousands_sep;
      }
    }
    return result;
  }();
  return settings;
}

std::string FormatShortDate(const TLocalDateTime& value) { return FormatTm(value, "%x"); }

std::string FormatLongTime(const TLocalDateTime& value) { return FormatTm(value, "%X"); }

// ---------------------------------------------------------------------------
// Console and process.

void InitProcess() {
  std::setlocale(LC_ALL, "");
  // The user's separators are taken now; the C library's own number
  // conversions then go back to the C locale, so that no printf or strtod
  // elsewhere writes or expects a decimal comma.
  Locale();
  std::setlocale(LC_NUMERIC, "C");
  // A closed pipe shows as a failed write, reported like any other.
  signal(SIGPIPE, SIG_IGN);
  std::atexit(FlushAtExit);
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    // Windows never hands over an empty argument; the driver relies on that.
    if (argv[i] != nullptr && argv[i][0] != '\0') arguments.emplace_back(argv[i]);
  }
  return arguments;
}

void Write(std::string_view text) { Output().Append(text); }

void Flush() { Output().Flush(); }

bool StandardOutputIsTerminal() {
  static const bool terminal = isatty(STDOUT_FILENO) == 1;
  return terminal;
}

}  // namespace platform
