// What Norvel needs from the operating system, in its own terms.
//
// One implementation per system (posix.cpp, win32.cpp); the build picks it.
// No system header is included here and no system type leaves this folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "path_text.h"

namespace platform {

// ---------------------------------------------------------------------------
// Conventions of the system the program was built for.

#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
inline constexpr std::string_view kLineEnd = "\r\n";
// No Windows path is longer than MAX_PATH - 1 characters.
inline constexpr std::size_t kMaxPathLength = 255;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
inline constexpr std::string_view kLineEnd = "\n";
// PATH_MAX - 1: a file deep in a folder tree must still be analysable.
inline constexpr std::size_t kMaxPathLength = 4095;
#endif

// Error codes are the system's own numbers (errno, GetLastError); 0 is success.
using ErrorCode = int;

// True for the codes that mean "no such file or directory".
bool IsNotFound(ErrorCode code);

// ---------------------------------------------------------------------------
// Directory entries.

// Attribute bits of a directory entry.
inline constexpr std::uint32_t faReadOnly = 0x01;
inline constexpr std::uint32_t faHidden = 0x02;
inline constexpr std::uint32_t faSysFile = 0x04;
inline constexpr std::uint32_t faVolumeID = 0x08;
inline constexpr std::uint32_t faDirectory = 0x10;
inline constexpr std::uint32_t faArchive = 0x20;
inline constexpr std::uint32_t faAnyFile = 0x3F;
// A symbolic link (reparse point): listed with its target's bits, never
// entered by a tree walk, so that no walk loops or meets a file twice.
inline constexpr std::uint32_t faSymLink = 0x400;

// One directory entry. Valid only while the caller looks at it.
struct TSearchRec {
  std::string Name;          // long name, without directory
  std::uint32_t Attr = 0;    // fa* bits
  std::int64_t Size = 0;     // bytes
  std::int32_t Time = 0;     // last write, packed DOS date and time, local
};

// The entries that `pattern` (a directory part followed by a name mask with
// '*' and '?') matches, in the system's order, after the attribute filter:
// an entry is passed over when it carries any of faHidden, faSysFile,
// faVolumeID or faDirectory that `attributeMask` does not hold. "." and ".."
// are never included. A directory that cannot be searched, and an empty
// mask, yield no entries.
//
// What a caller needs of each entry decides what listing it costs: a
// renamer needs names and kinds only, and where the system must be asked
// per entry for the rest (POSIX), that is one call per file saved.
enum class TEntryNeeds {
  Everything,
  // Name and the bits that tell kinds apart (directory, hidden, system,
  // link); Size, Time and faReadOnly may stay 0.
  NamesAndKinds,
  // As NamesAndKinds, and entries that are no directory may be left out.
  DirectoriesOnly,
};
std::vector<TSearchRec> FindEntries(std::string_view pattern,
                                    std::uint32_t attributeMask,
                                    TEntryNeeds needs = TEntryNeeds::Everything);

// ---------------------------------------------------------------------------
// Names.

// The absolute form of `name` against the current directory, cut to
// kMaxPathLength characters. The file need not exist.
std::string FullPathName(std::string_view name);

std::string CurrentDirectory();

// The short (8.3) form of a full name; false where the system has none.
bool ShortPathName(std::string_view fullName, std::string& shortName);

// The label of the volume whose root is `driveLetter` + ":\"; empty when the
// system has none or cannot say.
std::string VolumeLabel(char driveLetter);

// ---------------------------------------------------------------------------
// Files.

// Moves `from` to `to` in place, never replacing an existing file. A move
// onto the identical full name succeeds and changes nothing.
ErrorCode MoveFileNoReplace(const std::string& from, const std::string& to);

// What a move onto `to` would meet, found without changing anything: 0 when
// no entry of that name exists and one could be made in its directory;
// otherwise the code the move would fail with (IsAlreadyExists for a name
// that is taken, or the name being too long, or a directory the process
// cannot write into). What only the move itself can reveal (a disk or
// network failure) is not foreseen.
ErrorCode ProbeMoveTarget(const std::string& to);
bool IsAlreadyExists(ErrorCode code);

// Two full names that the file system takes for the same name have the same
// key: the name itself on POSIX, ASCII case folded on Windows.
std::string FileNameKey(std::string_view fullName);

// A file opened for reading only. Closed by the destructor on every path.
class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // Regular files only; never blocks on a pipe or a device.
  ErrorCode Open(const std::string& name);
  void Close();
  bool IsOpen() const { return handle_ != kNoHandle; }

  // Facts of the open file. Size is -1 when it cannot be had.
  std::int64_t Size() const;
  // Last write in packed DOS form (local time); -1 when it has no date that
  // fits the form.
  std::int32_t DosDateTime() const;
  std::uint16_t Attributes() const;

  // Reads up to `count` bytes at `position`; the number read, 0 at the end,
  // -1 on failure.
  std::int64_t ReadAt(std::int64_t position, void* buffer,
                      std::size_t count) const;
  // Reads exactly `count` bytes at `position`; a short read is a failure.
  bool ReadExactly(std::int64_t position, void* buffer,
                   std::size_t count) const;

 private:
  static constexpr std::intptr_t kNoHandle = -1;
  std::intptr_t handle_ = kNoHandle;
  // Facts taken once at the open, so that asking costs no system call.
  std::int64_t size_ = -1;
  std::int32_t dosDateTime_ = -1;
  std::uint16_t attributes_ = 0;
};

// ---------------------------------------------------------------------------
// Window messages: lets a caller with windows stay responsive during long
// scans. Empties the calling thread's queue or stops at a quit message.
void PumpMessages();

// ---------------------------------------------------------------------------
// Clock and locale.

struct TLocalDateTime {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

TLocalDateTime LocalNow();

// The user's regional settings, read once on first use.
// Separators are texts: in a UTF-8 locale one may take several bytes.
struct TLocaleSettings {
  std::string DecimalSeparator = ".";
  std::string ThousandSeparator = ",";
  std::string TimeSeparator = ":";
};
const TLocaleSettings& Locale();

// A date and a time of day in the user's short date and long time formats.
std::string FormatShortDate(const TLocalDateTime& value);
std::string FormatLongTime(const TLocalDateTime& value);

// ---------------------------------------------------------------------------
// Console and process.

// Takes the user's locale and sets the console up; call once at start.
void InitProcess();

// The command-line arguments after the program's own name, split at blanks
// with double quotes grouping; never an empty argument.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Standard output, buffered until Flush. A failed write ends the process
// with a message on standard error and exit code kOutputFailedExitCode.
void Write(std::string_view text);
void Flush();
inline constexpr int kOutputFailedExitCode = 2;
// True when a person watches standard output as it is written (a terminal
// or console), so that partial lines are worth showing at once.
bool StandardOutputIsTerminal();

}  // namespace platform
