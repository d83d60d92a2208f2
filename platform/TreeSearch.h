#pragma once

#include <optional>
#include <string>

namespace platform {

// How many folder levels below the root the search descends: a file in a folder this many
// levels down is still found, one level deeper is not.
inline constexpr int kDefaultTreeSearchDepth = 32;

// Looks for a regular file named fileName (ASCII letter case ignored) in the folder tree under
// root and returns the full path of the first one found, with the names as they are on disk.
//
// The walk never follows symbolic links, never leaves the file system (nor the mount) that root
// is on, skips folders it may not read, and descends at most maxDepth folder levels. It reaches
// a folder however long its path, and reads each to its end while signals arrive. It is
// breadth-first on two threads, so a shallow copy turns up before a deep tree has been read;
// when the tree holds several copies, which one is reported is not fixed.
std::optional<std::string> SearchTreeForFile(const std::string& root, const std::string& fileName,
                                             int maxDepth = kDefaultTreeSearchDepth);

} // namespace platform
