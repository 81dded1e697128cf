// The platform services on Windows, through the ANSI (A) functions: names
// are 8-bit texts in the system's ANSI code page, converted by the system.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/output_buffer.h"
#include "platform/platform.h"

namespace platform {

namespace {

constexpr std::uint32_t kDosAttributeBits = 0x3F;

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// MAX_PATH plus room, so that a name one character too long is seen as such.
constexpr DWORD kPathBuffer = MAX_PATH + 1;

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

std::int64_t Combine(DWORD high, DWORD low) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}

// Packed DOS form in local time; -1 (the systems' "no date") for a time the
// form cannot hold, before 1980 or after 2107.
std::int32_t PackDosDateTime(const FILETIME& utc) {
  FILETIME local;
  WORD date = 0;
  WORD time = 0;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time)) {
    return -1;
  }
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(date) << 16) | time);
}

// The six DOS bits, and faSymLink for a reparse point (junctions and links),
// which a tree walk must not enter.
std::uint32_t AttributesOf(DWORD systemBits) {
  std::uint32_t attributes = systemBits & kDosAttributeBits;
  if ((systemBits & FILE_ATTRIBUTE_REPARSE_POINT) != 0) attributes |= faSymLink;
  return attributes;
}

bool PassesFilter(std::uint32_t attributes, std::uint32_t attributeMask) {
  constexpr std::uint32_t kFiltered = faHidden | faSysFile | faVolumeID | faDirectory;
  return (attributes & kFiltered & ~attributeMask) == 0;
}

// ---------------------------------------------------------------------------
// Standard output.

[[noreturn]] void Fail(DWORD code) {
  char message[128];
  const int length = std::snprintf(message, sizeof(message),
                                   "norvel: cannot write to standard output: error %lu\r\n",
                                   static_cast<unsigned long>(code));
  DWORD ignored = 0;
  // Nothing more can be said if standard error fails as well.
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), message, static_cast<DWORD>(std::max(length, 0)),
            &ignored, nullptr);
  ExitProcess(kOutputFailedExitCode);
}

// A console shows the names as the ANSI functions gave them only when
// told so: its own code page is the OEM one. Files and pipes get the
// bytes unchanged.
bool WriteToConsole(HANDLE output, const char* data, std::size_t count) {
  DWORD mode = 0;
  if (!GetConsoleMode(output, &mode)) return false;
  const int length = static_cast<int>(count);
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, data, length, nullptr, 0);
  if (wideLength <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, data, length, wide.data(), wideLength);
  const wchar_t* next = wide.data();
  DWORD left = static_cast<DWORD>(wideLength);
  while (left > 0) {
    DWORD written = 0;
    if (!WriteConsoleW(output, next, left, &written, nullptr)) Fail(GetLastError());
    if (written == 0) Fail(ERROR_WRITE_FAULT);
    next += written;
    left -= written;
  }
  return true;
}

void WriteAll(const char* data, std::size_t count) {
  if (count == 0) return;
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (output == INVALID_HANDLE_VALUE || output == nullptr) Fail(ERROR_INVALID_HANDLE);
  if (count <= 0x7FFFFFFF && WriteToConsole(output, data, count)) return;
  while (count > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(output, data, chunk, &written, nullptr)) Fail(GetLastError());
    if (written == 0) Fail(ERROR_WRITE_FAULT);
    data += written;
    count -= written;
  }
}

TOutputBuffer<WriteAll>& Output() {
  static TOutputBuffer<WriteAll> output;
  return output;
}

void FlushAtExit() { Flush(); }

// ---------------------------------------------------------------------------
// Clock and locale.

std::string LocaleText(LCTYPE type) {
  char text[128];
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof(text));
  return length > 1 ? std::string(text, static_cast<std::size_t>(length - 1)) : std::string();
}

struct TFormats {
  std::string ShortDate;
  std::string LongTime;
};

const TFormats& Formats() {
  static const TFormats formats = [] {
    TFormats result;
    result.ShortDate = LocaleText(LOCALE_SSHORTDATE);
    result.LongTime = LocaleText(LOCALE_STIMEFORMAT);
    return result;
  }();
  return formats;
}

// 0 is Sunday; a format may show the weekday, and the date functions do not
// all work it out themselves.
WORD DayOfWeek(int year, int month, int day) {
  // Days from 1970-01-01 by the proleptic Gregorian calendar; that was a Thursday.
  const int y = year - (month <= 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yearOfEra = y - era * 400;
  const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const long long days = static_cast<long long>(era) * 146097 + dayOfEra - 719468;
  return static_cast<WORD>(((days % 7) + 11) % 7);
}

SYSTEMTIME ToSystemTime(const TLocalDateTime& value) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(value.Year);
  time.wMonth = static_cast<WORD>(value.Month);
  time.wDay = static_cast<WORD>(value.Day);
  time.wDayOfWeek = DayOfWeek(value.Year, value.Month, value.Day);
  time.wHour = static_cast<WORD>(value.Hour);
  time.wMinute = static_cast<WORD>(value.Minute);
  time.wSecond = static_cast<WORD>(value.Second);
  time.wMilliseconds = static_cast<WORD>(value.Millisecond);
  return time;
}

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof(text), "%02d", value);
  return text;
}

// ---------------------------------------------------------------------------
// Command line.

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool IsNotFound(ErrorCode code) {
  return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

// ---------------------------------------------------------------------------
// Directory entries.

std::vector<TSearchRec> FindEntries(std::string_view pattern, std::uint32_t attributeMask,
                                    TEntryNeeds needs) {
  const bool directoriesOnly = needs == TEntryNeeds::DirectoriesOnly;
  std::vector<TSearchRec> entries;
  if (NamePart(pattern, PathStyle::Windows).empty()) return entries;
  const std::string text(pattern);
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(text.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string_view name = found.cFileName;
    if (name == "." || name == "..") continue;
    const std::uint32_t attributes = AttributesOf(found.dwFileAttributes);
    if (directoriesOnly && (attributes & faDirectory) == 0) continue;
    if (!PassesFilter(attributes, attributeMask)) continue;
    TSearchRec record;
    record.Name = name;
    record.Attr = attributes;
    record.Size = Combine(found.nFileSizeHigh, found.nFileSizeLow);
    record.Time = PackDosDateTime(found.ftLastWriteTime);
    entries.push_back(std::move(record));
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return entries;
}

// ---------------------------------------------------------------------------
// Names.

std::string CurrentDirectory() {
  std::string text(kPathBuffer, '\0');
  DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(text.size()), text.data());
  if (length >= text.size()) {
    text.resize(length);
    length = GetCurrentDirectoryA(static_cast<DWORD>(text.size()), text.data());
  }
  text.resize(length < text.size() ? length : 0);
  return text;
}

std::string FullPathName(std::string_view name) {
  const std::string text(name);
  std::string full(kPathBuffer, '\0');
  DWORD length = GetFullPathNameA(text.c_str(), static_cast<DWORD>(full.size()), full.data(),
                                  nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = GetFullPathNameA(text.c_str(), static_cast<DWORD>(full.size()), full.data(),
                              nullptr);
  }
  // An empty or malformed name has no full form: it stays as typed.
  if (length == 0 || length >= full.size()) full = text;
  else full.resize(length);
  if (full.size() > kMaxPathLength) full.resize(kMaxPathLength);
  return full;
}

bool ShortPathName(std::string_view fullName, std::string& shortName) {
  const std::string text(fullName);
  char buffer[MAX_PATH];
  const DWORD length = GetShortPathNameA(text.c_str(), buffer, MAX_PATH);
  // A short form that does not fit the buffer counts as none.
  if (length == 0 || length >= MAX_PATH) return false;
  shortName.assign(buffer, length);
  return true;
}

std::string VolumeLabel(char driveLetter) {
  const char root[] = {driveLetter, ':', '\\', '\0'};
  char label[256] = {};
  if (!GetVolumeInformationA(root, label, sizeof(label), nullptr, nullptr, nullptr, nullptr,
                             0)) {
    return std::string();
  }
  return std::string(label, strnlen(label, sizeof(label)));
}

// ---------------------------------------------------------------------------
// Files.

namespace {

bool SameIgnoringAsciiCase(std::string_view left, std::string_view right) {
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (AsciiUpper(left[i]) != AsciiUpper(right[i])) return false;
  }
  return true;
}

ErrorCode Move(const std::string& from, const std::string& to) {
  // MoveFileA never replaces an existing file.
  return MoveFileA(from.c_str(), to.c_str()) ? 0 : static_cast<ErrorCode>(GetLastError());
}

// Only the case changes. MoveFileA does that on Windows, but some systems
// that provide its interface take the target for the file itself and change
// nothing; going through a free name of the same directory works everywhere.
ErrorCode ChangeCase(const std::string& from, const std::string& to) {
  ErrorCode code = ERROR_ALREADY_EXISTS;
  for (int attempt = 0; attempt < 100 && code == ERROR_ALREADY_EXISTS; ++attempt) {
    const std::string between = from + ".~" + std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(attempt);
    code = Move(from, between);
    if (code == ERROR_FILE_EXISTS) code = ERROR_ALREADY_EXISTS;
    if (code != 0) continue;
    code = Move(between, to);
    // The file keeps its old name when the second step fails.
    if (code != 0) Move(between, from);
    return code;
  }
  return code;
}

}  // namespace

// A move onto the identical full name succeeds without a call, as on every
// system, so that a second run over renamed files reports no error.
ErrorCode MoveFileNoReplace(const std::string& from, const std::string& to) {
  const std::string fullFrom = FullPathName(from);
  const std::string fullTo = FullPathName(to);
  if (fullFrom == fullTo) return 0;
  if (SameIgnoringAsciiCase(fullFrom, fullTo)) return ChangeCase(from, to);
  return Move(from, to);
}

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

ErrorCode ReadOnlyFile::Open(const std::string& name) {
  Close();
  const HANDLE handle = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return static_cast<ErrorCode>(GetLastError());
  // Device names (CON, NUL, COM1 in any folder) and pipes open too, and a
  // read from them could wait for ever: only disk files are read.
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    return ERROR_INVALID_FUNCTION;
  }
  LARGE_INTEGER size{};
  BY_HANDLE_FILE_INFORMATION facts{};
  if (!GetFileSizeEx(handle, &size) || !GetFileInformationByHandle(handle, &facts)) {
    const ErrorCode code = static_cast<ErrorCode>(GetLastError());
    CloseHandle(handle);
    return code != 0 ? code : ERROR_INVALID_FUNCTION;
  }
  handle_ = reinterpret_cast<std::intptr_t>(handle);
  size_ = static_cast<std::int64_t>(size.QuadPart);
  dosDateTime_ = PackDosDateTime(facts.ftLastWriteTime);
  attributes_ = static_cast<std::uint16_t>(facts.dwFileAttributes & kDosAttributeBits);
  return 0;
}

void ReadOnlyFile::Close() {
  if (handle_ == kNoHandle) return;
  CloseHandle(AsHandle(handle_));
  handle_ = kNoHandle;
}

std::int64_t ReadOnlyFile::ReadAt(std::int64_t position, void* buffer,
                                  std::size_t count) const {
  if (!IsOpen() || position < 0) return -1;
  if (count == 0) return 0;
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(position) & 0xFFFFFFFFu);
  at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(position) >> 32);
  const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
  DWORD read = 0;
  if (!ReadFile(AsHandle(handle_), buffer, chunk, &read, &at)) {
    // A positioned read at or past the end says so instead of reading 0.
    return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
  }
  return static_cast<std::int64_t>(read);
}

// ---------------------------------------------------------------------------
// Window messages.

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    // Taken from the queue, neither dispatched nor put back.
    if (message.message == WM_QUIT) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// ---------------------------------------------------------------------------
// Clock and locale.

TLocalDateTime LocalNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  TLocalDateTime result;
  result.Year = now.wYear;
  result.Month = now.wMonth;
  result.Day = now.wDay;
  result.Hour = now.wHour;
  result.Minute = now.wMinute;
  result.Second = now.wSecond;
  result.Millisecond = now.wMilliseconds;
  return result;
}

const TLocaleSettings& Locale() {
  static const TLocaleSettings settings = [] {
    TLocaleSettings result;
    if (std::string text = LocaleText(LOCALE_SDECIMAL); !text.empty()) {
      result.DecimalSeparator = text;
    }
    // Some locales group with a blank; an empty answer keeps the default.
    if (std::string text = LocaleText(LOCALE_STHOUSAND); !text.empty()) {
      result.ThousandSeparator = text;
    }
    if (std::string text = LocaleText(LOCALE_STIME); !text.empty()) {
      result.TimeSeparator = text;
    }
    return result;
  }();
  return settings;
}

std::string FormatShortDate(const TLocalDateTime& value) {
  const SYSTEMTIME time = ToSystemTime(value);
  const std::string& format = Formats().ShortDate;
  char text[256];
  const int length = GetDateFormatA(LOCALE_USER_DEFAULT, format.empty() ? DATE_SHORTDATE : 0,
                                    &time, format.empty() ? nullptr : format.c_str(), text,
                                    sizeof(text));
  if (length > 1) return std::string(text, static_cast<std::size_t>(length - 1));
  // A date the system refuses (before 1601) still shows as a date.
  return std::to_string(value.Year) + "-" + TwoDigits(value.Month) + "-" + TwoDigits(value.Day);
}

std::string FormatLongTime(const TLocalDateTime& value) {
  SYSTEMTIME time = ToSystemTime(value);
  const std::string& format = Formats().LongTime;
  char text[256];
  int length = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time,
                              format.empty() ? nullptr : format.c_str(), text, sizeof(text));
  if (length <= 1) {
    // The time of day alone matters; the system may refuse the date part.
    time.wYear = 2000;
    time.wMonth = 1;
    time.wDay = 1;
    time.wDayOfWeek = 6;
    length = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time,
                            format.empty() ? nullptr : format.c_str(), text, sizeof(text));
  }
  if (length > 1) return std::string(text, static_cast<std::size_t>(length - 1));
  const std::string& separator = Locale().TimeSeparator;
  return TwoDigits(value.Hour) + separator + TwoDigits(value.Minute) + separator +
         TwoDigits(value.Second);
}

// ---------------------------------------------------------------------------
// Console and process.

void InitProcess() {
  // No "insert a disk" box when a volume label is asked of an empty drive.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  Locale();
  Formats();
  std::atexit(FlushAtExit);
}

// Blanks split, double quotes group and are removed; a backslash is an
// ordinary character, so "C:\My Music\" names the folder. The first word,
// the program's own path, is skipped.
std::vector<std::string> CommandLineArguments(int, char**) {
  std::vector<std::string> arguments;
  const char* line = GetCommandLineA();
  if (line == nullptr) return arguments;
  const std::string_view text(line);
  std::size_t i = 0;
  // The program name: quoted as a whole, or up to the first blank.
  if (i < text.size() && text[i] == '"') {
    const std::size_t close = text.find('"', i + 1);
    i = close == std::string_view::npos ? text.size() : close + 1;
  }
  while (i < text.size() && !IsBlank(text[i])) ++i;

  std::string current;
  bool quoted = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (IsBlank(c) && !quoted) {
      if (!current.empty()) arguments.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) arguments.push_back(std::move(current));
  return arguments;
}

void Write(std::string_view text) { Output().Append(text); }

void Flush() { Output().Flush(); }

bool StandardOutputIsTerminal() {
  static const bool terminal = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
  return terminal;
}

}  // namespace platform
