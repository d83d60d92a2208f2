#pragma once

#include <optional>
#include <string>

namespace platform {

// How many folder levels below the root the search descends: a file in a folder this many
// levels down is still found, one level deeper is not.
inline constexpr int kDefaultTreeSearchDepth = 32;

// Looks for a regular file named fileName (ASCII letter case ignored) in the folder tree under
// root and returns the full path of the shallowest one, with the names as they are on disk;
// among copies at one depth, the first in the byte order of their paths. The answer is the same
// on every run, however the walk's threads are scheduled.
//
// The walk never follows symbolic links, never leaves the file system (nor the mount) that root
// is on, skips folders it may not read, never enters a trash folder (".Trash", ".Trash-<uid>",
// the user's home trash), and descends at most maxDepth folder levels. It reaches a folder
// however long its path, and reads each to its end while signals arrive. It is breadth-first,
// on two threads of its own once it has read a few folders on the calling one, and reads nothing
// deeper than the best copy found so far.
std::optional<std::string> SearchTreeForFile(const std::string& root, const std::string& fileName,
                                             int maxDepth = kDefaultTreeSearchDepth);

} // namespace platform
