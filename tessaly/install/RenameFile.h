#pragma once

#include <string>

// Renames (moves) the file at `oldPath` to `newPath` and says whether that worked. An existing
// name at `newPath` is never replaced, the file's own name included, so the rename fails there.
// Names are bytes: they need not be valid UTF-8. A move to another file system fails, since it
// would take a copy. Any failure is the result false; nothing is shown or thrown.
bool RenameFile(std::string oldPath, std::string newPath) noexcept;
