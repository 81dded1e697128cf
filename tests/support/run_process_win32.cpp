#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <stdexcept>
#include <string>

#include "tests/support/run_process.h"

namespace fixtures {

namespace {

// The program under test splits its command line at blanks with quotes
// grouping and nothing escaped, so every argument is simply quoted.
std::string CommandLine(const std::string& program, const std::vector<std::string>& arguments) {
  std::string line = "\"" + program + "\"";
  for (const std::string& argument : arguments) line += " \"" + argument + "\"";
  return line;
}

std::string FullPath(const std::filesystem::path& path) {
  const std::string text = path.string();
  char full[4096];
  const DWORD length = GetFullPathNameA(text.c_str(), sizeof(full), full, nullptr);
  return length > 0 && length < sizeof(full) ? std::string(full, length) : text;
}

}  // namespace

ProcessResult RunProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments,
                         const std::filesystem::path& workingDirectory, int timeoutSeconds) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) throw std::runtime_error("pipe failed");
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  const HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inherit, OPEN_EXISTING, 0, nullptr);

  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  // The program's path is made absolute here: the child starts elsewhere.
  const std::string programPath = FullPath(program);
  std::string line = CommandLine(programPath, arguments);
  const std::string directory = FullPath(workingDirectory);
  const BOOL started = CreateProcessA(programPath.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, directory.c_str(), &startup, &process);
  CloseHandle(writeEnd);
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
  if (!started) {
    CloseHandle(readEnd);
    throw std::runtime_error("CreateProcessA failed: " + std::to_string(GetLastError()));
  }
  CloseHandle(process.hThread);

  ProcessResult result;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutSeconds) * 1000;
  char buffer[65536];
  for (;;) {
    DWORD waiting = 0;
    if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &waiting, nullptr)) break;  // closed
    if (waiting == 0) {
      if (GetTickCount64() >= deadline) {
        TerminateProcess(process.hProcess, 1);
        break;
      }
      // Nothing to read yet: wait a moment for the child, not for the pipe,
      // so that the timeout holds.
      WaitForSingleObject(process.hProcess, 10);
      DWORD exitCode = STILL_ACTIVE;
      GetExitCodeProcess(process.hProcess, &exitCode);
      if (exitCode != STILL_ACTIVE) {
        // Take what is left; the write end closed with the child.
        PeekNamedPipe(readEnd, nullptr, 0, nullptr, &waiting, nullptr);
        if (waiting == 0) break;
      }
      continue;
    }
    DWORD got = 0;
    if (!ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) || got == 0) break;
    result.output.append(buffer, got);
  }
  CloseHandle(readEnd);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 0;
  result.exitCode = GetExitCodeProcess(process.hProcess, &exitCode) ? static_cast<int>(exitCode)
                                                                    : -1;
  CloseHandle(process.hProcess);
  return result;
}

bool MakeFifo(const std::filesystem::path&) { return false; }

void HideEntry(const std::filesystem::path& path) {
  const std::string name = path.string();
  const DWORD attributes = GetFileAttributesA(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    SetFileAttributesA(name.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
  }
}

}  // namespace fixtures
