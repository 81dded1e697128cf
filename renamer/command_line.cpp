#include "renamer/command_line.h"

bool IsSwitchCharacter(char c, platform::PathStyle style) {
  return c == '-' || (c == '/' && style == platform::PathStyle::Windows);
}

std::string UpperCaseAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

TArgumentResult ReadArguments(const std::vector<std::string>& arguments,
                              TRunSettings& settings, platform::PathStyle style) {
  for (const std::string& argument : arguments) {
    if (argument.empty() || !IsSwitchCharacter(argument[0], style)) {
      if (settings.FileNameSeen) return {TArgumentError::UnexpectedParameter, argument};
      settings.FileNameSeen = true;
      settings.FileMask = argument;
      continue;
    }
    if (argument.size() < 2) return {TArgumentError::WrongParameter, argument};

    const std::string word = UpperCaseAscii(std::string_view(argument).substr(1));
    if (word == "S") {
      settings.SearchSubdirs = true;
    } else if (word == "U") {
      settings.SpaceToUnderscore = true;
    } else if (word == "R") {
      settings.RemoveSpaces = true;
    } else if (word == "N") {
      settings.Preview = true;
    } else if (word == "H" || word == "?") {
      settings.ShowHelp = true;
    } else if (word[0] == 'M') {
      // "M" alone sets nothing, so a later macro is still accepted.
      if (!settings.RenameMacro.empty()) return {TArgumentError::TooManyMacros, argument};
      settings.RenameMacro = word.substr(1);
    }
    // Any other switch text is ignored without a message.
  }
  return {};
}
