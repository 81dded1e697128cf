// The program's run: banner, arguments, file list, per-file loop, report.
#pragma once

#include <string>
#include <vector>

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitArgumentError = 1;

// Runs Norvel over the arguments (the program's own name excluded) and
// answers the exit code. Everything it reports goes to standard output.
int RunNorvel(const std::vector<std::string>& arguments);
