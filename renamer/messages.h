// The program's fixed texts: banner and help.
#pragma once

#include <string>
#include <string_view>

#include "platform/path_text.h"

inline constexpr std::string_view kNorvelVersion = "1.0";

// Three lines, each ended by `lineEnd`.
std::string BannerText(std::string_view lineEnd);

// The help block, each line ended by `lineEnd`. POSIX builds show '-'
// switches and the lower-case program name.
std::string HelpText(platform::PathStyle style, std::string_view lineEnd);
