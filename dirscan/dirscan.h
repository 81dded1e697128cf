// A depth-first walk of a directory tree that calls back for every file
// whose name matches a wildcard mask.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace dirscan {

// Receives the directory searched (ending in the native separator) and one
// matching file of it; the record is valid only during the call. Answers
// true to go on, false to end the whole walk at once.
using TScanCallback =
    std::function<bool(const std::string& directory, const platform::TSearchRec& entry)>;

// What every level of one walk shares.
struct TScanContext {
  // The directory being searched, always ending in the separator; extended
  // on the way down and cut back on the way up.
  std::string Path;
  std::string Mask;
  TScanCallback Callback;
  platform::TEntryNeeds Needs = platform::TEntryNeeds::Everything;
};

// Walks `startDirectory` (empty: the current directory) and every directory
// below it: each directory's matching files first, then each subdirectory
// in turn. An empty mask stands for every name. Directories that cannot be
// searched are passed over silently.
// `needs` says what the callback reads of each file's record.
void ScanDirectory(std::string_view startDirectory, std::string_view mask,
                   const TScanCallback& callback,
                   platform::TEntryNeeds needs = platform::TEntryNeeds::Everything);

// Walks the directory that `context.Path` names; false when the callback
// ended the walk.
bool ScanLevel(TScanContext& context);

}  // namespace dirscan
