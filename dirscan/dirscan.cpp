#include "dirscan/dirscan.h"

#include <vector>

namespace dirscan {

namespace {

constexpr char kSeparator =
    platform::kNativePathStyle == platform::PathStyle::Windows ? '\\' : '/';

// Every kind of entry, so that hidden, system and read-only files are found.
constexpr std::uint32_t kFilePassAttributes = 63;
// Plain directories only: hidden and system ones are not entered.
constexpr std::uint32_t kDirectoryPassAttributes = platform::faDirectory;

}  // namespace

bool ScanLevel(TScanContext& context) {
  const std::size_t length = context.Path.size();

  for (const platform::TSearchRec& entry :
       platform::FindEntries(context.Path + context.Mask, kFilePassAttributes, context.Needs)) {
    if ((entry.Attr & (platform::faDirectory | platform::faVolumeID)) != 0) continue;
    if (!context.Callback(context.Path, entry)) return false;
  }

  std::vector<platform::TSearchRec> subdirectories =
      platform::FindEntries(context.Path + "*.*", kDirectoryPassAttributes,
                            platform::TEntryNeeds::DirectoriesOnly);
  for (const platform::TSearchRec& entry : subdirectories) {
    // A link to a directory is never entered: no loop, no file met twice.
    if ((entry.Attr & platform::faDirectory) == 0 ||
        (entry.Attr & platform::faSymLink) != 0) {
      continue;
    }
    context.Path += entry.Name;
    context.Path += kSeparator;
    if (!ScanLevel(context)) return false;
    context.Path.resize(length);
  }
  return true;
}

void ScanDirectory(std::string_view startDirectory, std::string_view mask,
                   const TScanCallback& callback, platform::TEntryNeeds needs) {
  TScanContext context;
  context.Needs = needs;
  context.Path = startDirectory.empty() ? platform::CurrentDirectory()
                                        : std::string(startDirectory);
  // A current directory that cannot be named is still searched, as ".", and
  // never mistaken for the root.
  if (context.Path.empty()) context.Path = ".";
  if (context.Path.back() != kSeparator) {
    context.Path += kSeparator;
  }
  context.Mask = mask.empty() ? std::string("*.*") : std::string(mask);
  context.Callback = callback;
  ScanLevel(context);
}

}  // namespace dirscan
