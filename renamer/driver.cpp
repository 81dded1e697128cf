#include "renamer/driver.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dirscan/dirscan.h"
#include "mpegaudio/analysis/mpeg_audio.h"
#include "mpegaudio/macros/macro_definitions.h"
#include "platform/platform.h"
#include "platform/text_encoding.h"
#include "renamer/command_line.h"
#include "renamer/file_mover.h"
#include "renamer/messages.h"
#include "renamer/new_name.h"

namespace {

constexpr platform::PathStyle kStyle = platform::kNativePathStyle;

void WriteLine(std::string_view text = {}) {
  platform::Write(text);
  platform::Write(platform::kLineEnd);
}

// A file's name stays on screen while the file is analysed. Where nobody
// watches (a file, a pipe) the flush would only cost a write per file.
void WriteProgress(std::string_view text) {
  platform::Write(text);
  if (platform::StandardOutputIsTerminal()) platform::Flush();
}

// The new name goes out before the move is tried and " (ERROR)" right after
// it fails, so that the report tells what happened whatever ends the run.
void WriteNow(std::string_view text) {
  platform::Write(text);
  platform::Flush();
}

void WriteHelp() {
  platform::Write(HelpText(kStyle, platform::kLineEnd));
  WriteLine();
  WriteLine();
}

void ReportArgumentError(const TArgumentResult& result) {
  switch (result.Error) {
    case TArgumentError::UnexpectedParameter:
      WriteLine("Unexpected parameter: " + result.Argument);
      if (kStyle == platform::PathStyle::Posix) {
        // The usual cause: the shell expanded an unquoted mask.
        WriteLine("Hint: quote the file mask so that the shell does not expand it, e.g. norvel '*.mp3'");
      }
      break;
    case TArgumentError::WrongParameter:
      WriteLine("Wrong parameter: " + result.Argument);
      break;
    case TArgumentError::TooManyMacros:
      WriteLine("Too many macros!");
      break;
    case TArgumentError::None:
      break;
  }
}

// The full names of all files to process, collected before any is analysed
// so that a renamed file is never met twice.
std::vector<std::string> CollectFileNames(const TRunSettings& settings,
                                          const std::string& searchDir) {
  std::vector<std::string> fileList;
  if (settings.SearchSubdirs) {
    WriteLine("SearchSubdirs on");
    dirscan::ScanDirectory(searchDir, std::string(platform::NamePart(settings.FileMask, kStyle)),
                  [&fileList](const std::string& directory, const platform::TSearchRec& entry) {
                    fileList.push_back(directory + entry.Name);
                    return true;
                  },
                  platform::TEntryNeeds::NamesAndKinds);
  } else {
    for (const platform::TSearchRec& entry :
         platform::FindEntries(settings.FileMask, platform::faAnyFile,
                               platform::TEntryNeeds::NamesAndKinds)) {
      fileList.push_back(searchDir + entry.Name);
    }
  }
  return fileList;
}

void WriteOptionLines(const TRunSettings& settings) {
  if (settings.SpaceToUnderscore) WriteLine("SpaceToUnderscore on");
  if (settings.RemoveSpaces) WriteLine("RemoveSpaces on");
  if (settings.Preview) WriteLine("Preview on: nothing is renamed");
  if (!settings.RenameMacro.empty()) WriteLine("Rename Macro: " + settings.RenameMacro);
  WriteLine();
}

// Names a tagged file and moves it; finishes the report line the caller
// began with the old full name.
void RenameTaggedFile(const std::string& fullName, const TMPEGAudio& audio,
                      const TRunSettings& settings, TFileMover& mover) {
  std::string newName = settings.RenameMacro.empty()
                            ? DefaultName(audio.GetArtist(), audio.GetTitle())
                            : audio.ExpandMacro(settings.RenameMacro);
  ApplySpaceOptions(newName, settings.RemoveSpaces, settings.SpaceToUnderscore);
  ReplaceForbiddenChars(newName);
  newName = platform::ToFileSystemName(newName);
  WriteLine();

  const std::string newFullName = std::string(platform::DirectoryPart(fullName, kStyle)) + newName;
  WriteNow(" => " + newFullName);
  if (!mover.Move(fullName, newFullName)) WriteNow(" (ERROR)");
  WriteLine();
}

void ProcessFiles(const std::vector<std::string>& fileList, const TRunSettings& settings) {
  TDiskMover diskMover;
  TPreviewMover previewMover;
  TFileMover& mover = settings.Preview ? static_cast<TFileMover&>(previewMover) : diskMover;
  // Heap-held: the record carries a full path buffer.
  auto audio = std::make_unique<TMPEGAudio>();
  audio->OnLoadError = nullptr;  // a failed analysis is not retried
  audio->DefaultArtist = "Unknown Artist";
  audio->DefaultTitle = "Unknown Title";
  for (const std::string& fullName : fileList) {
    WriteProgress(fullName);
    audio->SetFileName(fullName);
    if (!audio->IsValid()) {
      WriteLine(" ... NOT MPEG AUDIO");
    } else if (!audio->HasTag()) {
      WriteLine(" ... NO MPEG HEADER");
    } else {
      RenameTaggedFile(fullName, *audio, settings, mover);
    }
  }
}

}  // namespace

int RunNorvel(const std::vector<std::string>& arguments) {
  platform::Write(BannerText(platform::kLineEnd));
  if (arguments.empty()) {
    WriteHelp();
    return kExitArgumentError;
  }

  TRunSettings settings;
  if (const TArgumentResult result = ReadArguments(arguments, settings, kStyle);
      result.Error != TArgumentError::None) {
    ReportArgumentError(result);
    return kExitArgumentError;
  }

  if (settings.ShowHelp) {
    WriteHelp();
  } else if (settings.FileMask.empty()) {
    WriteLine("FileMask missing");
  } else {
    settings.FileMask = platform::FullPathName(settings.FileMask);
    WriteLine("Loading File Mask: " + settings.FileMask);
    // Items of a rename macro are written between '#': '%' is common in
    // file names.
    MacroDefinitions.Delimiter = '#';
    const std::string searchDir(platform::DirectoryPart(settings.FileMask, kStyle));
    const std::vector<std::string> fileList = CollectFileNames(settings, searchDir);
    WriteOptionLines(settings);
    if (fileList.empty()) {
      WriteLine("File not found.");
    } else {
      ProcessFiles(fileList, settings);
    }
  }
  WriteLine();
  return kExitOk;
}
