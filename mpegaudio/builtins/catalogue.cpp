#include "mpegaudio/builtins/catalogue.h"

#include <string>

#include "mpegaudio/builtins/file_name_guess.h"
#include "mpegaudio/builtins/value_functions.h"
#include "mpegaudio/macros/macro_definitions.h"

// Created and filled before main() runs.
TMacroDefinitions MacroDefinitions;

namespace {

constexpr char kNoCase = 'N';
constexpr const char* kFileGroup = "Mpeg audio file";
constexpr const char* kSystemGroup = "System";

// Each registration position is part of the interface: FindMacro reports it,
// and the one duplicate short name ("GLK") resolves by it. Append only.
void RegisterRows(TMacroDefinitions& d) {
  // Per-file macros.
  d.AddMacro("FN", "FileName", 40, 'L', kNoCase, "Mpeg audio file name", kFileGroup, mkFile, values::FileName, "");
  d.AddMacro("FNS", "FileNameShort", 40, 'L', kNoCase, "Mpeg audio file name short (8+3)", kFileGroup, mkFile, values::FileNameShort, "");
  d.AddMacro("FP", "FilePath", 40, 'L', kNoCase, "MPEG audio file path (without file name)", kFileGroup, mkFile, values::FilePath, "");
  d.AddMacro("VL", "VolumeLabel", 11, 'L', kNoCase, "Volume label", kFileGroup, mkFile, values::VolumeLabel, "");
  d.AddMacro("T", "Title", 30, 'L', kNoCase, "Title", kFileGroup, mkFile, values::Title, "");
  d.AddMacro("ET", "ExtractedTitle", 30, 'L', kNoCase, "Title extracted from file name", kFileGroup, mkFile, ExtractedTitle, "");
  d.AddMacro("GT", "GuessedTitle", 30, 'L', kNoCase, "Title guessed from TAG or from file name", kFileGroup, mkFile, GuessedTitle, "");
  d.AddMacro("FD", "FileDate", 10, 'L', kNoCase, "Date of last file change", kFileGroup, mkFile, values::FileDate, "");
  d.AddMacro("FDTFS", "FileDateTimeForSort", 14, 'L', kNoCase, "File Date time formated for sorting (yyyymmddhhmmss).", kFileGroup, mkFile, values::FileDateTimeForSort, "");
  d.AddMacro("FT", "FileTime", 11, 'L', kNoCase, "Time of last file change", kFileGroup, mkFile, values::FileTime, "");
  d.AddMacro("A", "Artist", 30, 'L', kNoCase, "Artist", kFileGroup, mkFile, values::Artist, "");
  d.AddMacro("EA", "ExtractedArtist", 30, 'L', kNoCase, "Artist extracted from file name", kFileGroup, mkFile, ExtractedArtist, "");
  d.AddMacro("GA", "GuessedArtist", 30, 'L', kNoCase, "Artist guessed from TAG or from file name", kFileGroup, mkFile, GuessedArtist, "");
  d.AddMacro("ALB", "Album", 35, 'L', kNoCase, "Album", kFileGroup, mkFile, values::Album, "");
  d.AddMacro("Y", "Year", 4, 'L', kNoCase, "Year", kFileGroup, mkFile, values::Year, "");
  d.AddMacro("CMNT", "Comment", 30, 'L', kNoCase, "Comment", kFileGroup, mkFile, values::Comment, "");
  d.AddMacro("G", "Genre", 25, 'L', kNoCase, "Genre description", kFileGroup, mkFile, values::Genre, "");
  d.AddMacro("GNR", "GenreNr", 3, 'R', kNoCase, "Genre code", kFileGroup, mkFile, values::GenreNr, "");
  d.AddMacro("TR", "Track", 3, 'R', kNoCase, "Album track number", kFileGroup, mkFile, values::Track, "");
  d.AddMacro("D", "Duration", 8, 'R', kNoCase, "Duration (seconds)", kFileGroup, mkFile, values::Duration, "");
  d.AddMacro("DC", "DurationComma", 10, 'R', kNoCase, "Duration, thousands comma delimited (seconds)", kFileGroup, mkFile, values::DurationComma, "");
  d.AddMacro("DM", "DurationMinutes", 7, 'R', kNoCase, "Duration (minutes)", kFileGroup, mkFile, values::DurationMinutes, "");
  d.AddMacro("DMC", "DurationMinutesComma", 9, 'R', kNoCase, "Duration, thousands comma delimited (minutes)", kFileGroup, mkFile, values::DurationMinutesComma, "");
  d.AddMacro("DF", "DurationForm", 8, 'R', kNoCase, "Duration (formated as MM:SS)", kFileGroup, mkFile, values::DurationForm, "");
  d.AddMacro("L", "Length", 12, 'R', kNoCase, "File length in bytes", kFileGroup, mkFile, values::Length, "");
  d.AddMacro("LC", "LengthComma", 15, 'R', kNoCase, "File length in bytes, thousands comma delimited", kFileGroup, mkFile, values::LengthComma, "");
  d.AddMacro("LK", "LengthKB", 9, 'R', kNoCase, "File length in kilobytes", kFileGroup, mkFile, values::LengthKB, "");
  d.AddMacro("LKC", "LengthKBComma", 11, 'R', kNoCase, "File length in kilobytes, thousands comma delimited", kFileGroup, mkFile, values::LengthKBComma, "");
  d.AddMacro("LM", "LengthMB", 9, 'R', kNoCase, "File length in megabytes (one decimal place)", kFileGroup, mkFile, values::LengthMB, "");
  d.AddMacro("V", "Version", 3, 'L', kNoCase, "MPEG Audio version.", kFileGroup, mkFile, values::Version, "");
  d.AddMacro("LY", "Layer", 3, 'L', kNoCase, "MPEG Audio Layer Type (I, II, III or else for unknown)", kFileGroup, mkFile, values::Layer, "");
  d.AddMacro("LYN", "LayerNr", 1, 'L', kNoCase, "MPEG Audio Layer Type (1, 2, 3 or else for unknown)", kFileGroup, mkFile, values::LayerNr, "");
  d.AddMacro("SR", "SampleRate", 5, 'R', kNoCase, "Sample rate", kFileGroup, mkFile, values::SampleRate, "");
  d.AddMacro("SRK", "SampleRateKHz", 4, 'R', kNoCase, "Sample rate in kilobytes", kFileGroup, mkFile, values::SampleRateKHz, "");
  d.AddMacro("BR", "BitRate", 3, 'R', kNoCase, "BitRate in kilobytes", kFileGroup, mkFile, values::BitRate, "");
  d.AddMacro("EP", "ErrorProt", 3, 'L', kNoCase, "Error protection ('Yes'/'No')", kFileGroup, mkFile, values::ErrorProt, "");
  d.AddMacro("EP*", "ErrorProt*", 1, 'L', kNoCase, "Error Protection ('*'/' ')", kFileGroup, mkFile, values::ErrorProtMark, "");
  d.AddMacro("C", "Copyright", 3, 'L', kNoCase, "Copyrighted ('Yes'/'No')", kFileGroup, mkFile, values::Copyright, "");
  d.AddMacro("C*", "Copyright*", 1, 'L', kNoCase, "Copyrighted ('*'/' ')", kFileGroup, mkFile, values::CopyrightMark, "");
  d.AddMacro("O", "Original", 3, 'L', kNoCase, "Original ('Yes'/'No')", kFileGroup, mkFile, values::Original, "");
  d.AddMacro("O*", "Original*", 3, 'L', kNoCase, "Original ('*'/' ')", kFileGroup, mkFile, values::OriginalMark, "");
  d.AddMacro("M", "Mode", 12, 'L', kNoCase, "Channel mode ('Stereo'/'Joint-Stereo'/'Dual-Channel'/'Mono')", kFileGroup, mkFile, values::Mode, "");
  d.AddMacro("S", "Stereo", 6, 'L', kNoCase, "Stereo mode ('Stereo'/'Mono')", kFileGroup, mkFile, values::Stereo, "");

  // System macros. The version row is as wide as the version text.
  std::string version;
  values::ProgramVersion(version);
  const auto programVersionWidth = static_cast<std::int32_t>(version.size());
  d.AddMacro("PV", "ProgramVersion", programVersionWidth, 'L', kNoCase, "Program version number", kSystemGroup, mkSystem, values::ProgramVersion, "");
  d.AddMacro("CD", "CurrentDate", 10, 'R', kNoCase, "Current system date", kSystemGroup, mkSystem, values::CurrentDate, "");
  d.AddMacro("CT", "CurrentTime", 8, 'R', kNoCase, "Current system time", kSystemGroup, mkSystem, values::CurrentTime, "");

  // Items the expander answers itself; listed so that users can look them up.
  d.AddMacro("NL", "NewLine", 2, 'L', kNoCase, "New line (CRLF)", "Special", mkSpecial, nullptr, "");
  d.AddMacro("#", "SoftNewLine", 2, 'L', kNoCase, "Soft Newline, not used in output document", "Special", mkSpecial, nullptr, "");
  d.AddMacro("TB", "Tab", 1, 'L', kNoCase, "Tabulator", "Special", mkSpecial, nullptr, "");
  d.AddMacro("nnn", "nnn", 1, 'L', kNoCase, "Character ASCII code (enter decimal value)", "Special", mkSpecial, nullptr, "");
  d.AddMacro("", "", 1, 'L', kNoCase, "Percent sign (%)", "Special", mkSpecial, nullptr, "");

  // Stored templates, written with the start-up delimiter '%'.
  d.AddMacro("FPN", "FilePathName", 80, 'L', kNoCase, "File path and name", kFileGroup, mkComposite, nullptr, "%FP,T%%FN,T%");
  d.AddMacro("GAT", "GuessedArtistTitle", 80, 'L', kNoCase, "Artist and title guessed from TAG or file name", kFileGroup, mkComposite, nullptr, "%GA,T% - %GT,T%");

  // Values of a file list, a group and an output document. This program has
  // no list context, so these items stay as written.
  d.AddMacro("FPR", "FilePathRelative", 40, 'L', kNoCase, "MPEG audio file path relative to output document (without file name)", "List data", mkList, nullptr, "");
  d.AddMacro("N", "No", 6, 'R', kNoCase, "Order No of file in list", "List data", mkList, nullptr, "");
  d.AddMacro("FC", "FileCount", 6, 'R', kNoCase, "Total number of files in list", "List data", mkList, nullptr, "");
  d.AddMacro("FCC", "FileCountComma", 7, 'R', kNoCase, "Total number of files in list, thousands comma separated", "List data", mkList, nullptr, "");
  d.AddMacro("GN", "GroupNo", 6, 'R', kNoCase, "Order No of group", "Group Data", mkList, nullptr, "");
  d.AddMacro("GFN", "GroupFileNo", 6, 'R', kNoCase, "Order No of file in group", "Group Data", mkList, nullptr, "");
  d.AddMacro("GFC", "GroupFileCount", 6, 'R', kNoCase, "Total number of files in group", "Group Data", mkList, nullptr, "");
  d.AddMacro("GFCC", "GroupFileCountComma", 7, 'R', kNoCase, "Total number of files in group, thousands comma separated", "Group Data", mkList, nullptr, "");
  d.AddMacro("AC", "ArtistCount", 6, 'R', kNoCase, "Total number of artists in whole list", "List data", mkList, nullptr, "");
  d.AddMacro("GC", "GroupCount", 6, 'R', kNoCase, "Total number of groups in whole list", "List data", mkList, nullptr, "");
  d.AddMacro("GD", "GroupDuration", 8, 'R', kNoCase, "Total duration in seconds for group", "Group Data", mkList, nullptr, "");
  d.AddMacro("GDC", "GroupDurationComma", 10, 'R', kNoCase, "Total duration in seconds for group, thousands comma separated", "Group Data", mkList, nullptr, "");
  d.AddMacro("GDM", "GroupDurationMinutes", 7, 'R', kNoCase, "Total duration in minutes for group", "Group Data", mkList, nullptr, "");
  d.AddMacro("GDMC", "GroupDurationMinutesComma", 9, 'R', kNoCase, "Total duration in minutes for group, thousands comma separated", "Group Data", mkList, nullptr, "");
  d.AddMacro("GDF", "GroupDurationForm", 8, 'R', kNoCase, "Total duration for group, formated as HH:MM:SS", "Group Data", mkList, nullptr, "");
  d.AddMacro("GL", "GroupLength", 12, 'R', kNoCase, "Total length in bytes for group", "Group Data", mkList, nullptr, "");
  d.AddMacro("GLC", "GroupLengthComma", 15, 'R', kNoCase, "Total length in bytes for group, thousands comma separated", "Group Data", mkList, nullptr, "");
  d.AddMacro("GLK", "GroupLengthKB", 9, 'R', kNoCase, "Total length in KB for group", "Group Data", mkList, nullptr, "");
  d.AddMacro("GLK", "GroupLengthKBComma", 11, 'R', kNoCase, "Total length in KB for group, thousands comma separated", "Group Data", mkList, nullptr, "");
  d.AddMacro("GLM", "GroupLengthMB", 9, 'R', kNoCase, "Total length in MB for group", "Group Data", mkList, nullptr, "");
  d.AddMacro("DS", "DurationSum", 8, 'R', kNoCase, "Total duration in seconds for whole list", "List data", mkList, nullptr, "");
  d.AddMacro("DSC", "DurationSumComma", 10, 'R', kNoCase, "Total duration in seconds for whole list,thousands comma separated", "List data", mkList, nullptr, "");
  d.AddMacro("DSM", "DurationSumMinutes", 7, 'R', kNoCase, "Total duration in minutes for whole list", "List data", mkList, nullptr, "");
  d.AddMacro("DSMC", "DurationSumMinutesComma", 9, 'R', kNoCase, "Total duration in minutes for whole list, thousands comma separated", "List data", mkList, nullptr, "");
  d.AddMacro("DSF", "DurationSumForm", 8, 'R', kNoCase, "Total duration for whole list formated as HH:MM:SS", "List data", mkList, nullptr, "");
  d.AddMacro("LS", "LengthSum", 12, 'R', kNoCase, "Total length in bytes for all files in list", "List data", mkList, nullptr, "");
  d.AddMacro("LSC", "LengthSumComma", 15, 'R', kNoCase, "Total length in bytes for all files in list, thousands comma separated", "List data", mkList, nullptr, "");
  d.AddMacro("LKS", "LengthKBSum", 9, 'R', kNoCase, "Total length in KB for all files in list", "List data", mkList, nullptr, "");
  d.AddMacro("LKSC", "LengthKBSumComma", 11, 'R', kNoCase, "Total length in KB for all files in list, thousands comma separated", "List data", mkList, nullptr, "");
  d.AddMacro("LMS", "LengthMBSum", 9, 'R', kNoCase, "Total length in MB for all files in list", "List data", mkList, nullptr, "");
  d.AddMacro("OD", "OutputDoc", 40, 'L', kNoCase, "Output document file name", "Output document", mkList, nullptr, "");
  d.AddMacro("OP", "OutputPath", 40, 'L', kNoCase, "Output document path (without filename)", "Output document", mkList, nullptr, "");
  d.AddMacro("TN", "TemplateName", 40, 'L', kNoCase, "Template name", "Output document", mkList, nullptr, "");
}

// Runs after MacroDefinitions is constructed: both live in this file, and
// objects of one file are initialised in the order they are defined.
[[maybe_unused]] const bool kBuiltinsRegistered = (RegisterBuiltinMacros(), true);

}  // namespace

void RegisterBuiltinMacros() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  RegisterRows(MacroDefinitions);
}
