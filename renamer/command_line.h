// The run settings and how the command line sets them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/path_text.h"

struct TRunSettings {
  std::string FileMask;        // the one file-name argument
  bool FileNameSeen = false;
  bool SearchSubdirs = false;  // S
  bool SpaceToUnderscore = false;  // U
  bool RemoveSpaces = false;   // R
  bool ShowHelp = false;       // H or ?
  bool Preview = false;        // N: report every new name, rename nothing
  std::string RenameMacro;     // M<macro>, upper-cased; empty: default name
};

enum class TArgumentError { None, WrongParameter, UnexpectedParameter, TooManyMacros };

struct TArgumentResult {
  TArgumentError Error = TArgumentError::None;
  std::string Argument;  // the offending argument as typed
};

// '/' begins absolute paths on POSIX, so only '-' introduces a switch there.
bool IsSwitchCharacter(char c, platform::PathStyle style);

// Reads the arguments in order into `settings`; the first bad one ends the
// reading and is returned.
TArgumentResult ReadArguments(const std::vector<std::string>& arguments,
                              TRunSettings& settings, platform::PathStyle style);

// ASCII only: accented letters of the code page stay as they are.
std::string UpperCaseAscii(std::string_view text);
