// Runs a program to its end and captures its standard output.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace fixtures {

struct ProcessResult {
  int exitCode = -1;
  std::string output;  // standard output, byte for byte
};

// Runs `program` with `arguments` in `workingDirectory`, standard input
// closed. Gives up (and kills it) after `timeoutSeconds`.
ProcessResult RunProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments,
                         const std::filesystem::path& workingDirectory,
                         int timeoutSeconds = 60);

// Makes a named pipe (FIFO) at `path`; false where the system has none.
bool MakeFifo(const std::filesystem::path& path);

// Hides a file or folder as the system knows hiding: on Windows by its
// attribute; on POSIX a name beginning with '.' is hidden already.
void HideEntry(const std::filesystem::path& path);

}  // namespace fixtures
