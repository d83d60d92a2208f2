#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Whole-file reads and writes for files that users keep: a reader never waits on a FIFO or a
// device, and a writer never leaves half a file under the file's name.
namespace platform {

// The whole content of a regular file; nothing when it is missing, cannot be read or is not a
// regular file.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);

// Writes all of `content` at fd's offset, going on after a write cut short; false when it could
// not write them all.
bool WriteAll(int fd, std::string_view content);

// Writes a new file's bytes into fd, a fresh file open for writing; false when it could not
// write them all.
using FileWriter = std::function<bool(int fd)>;

// Makes `file` name a new file that holds what `write` puts into it. The bytes go to a
// temporary file of the same folder that takes the name only once complete and on disk, so
// `file` names its old file or the whole new one, never a part of it; a failed write leaves
// `file` as it was. Whatever bore the name before, a symbolic link too, is replaced. The new
// file gets the usual mode of a new file.
bool ReplaceFile(const std::filesystem::path& file, const FileWriter& write);

// A file's new content given its current one (empty for a missing file); nothing leaves the
// file as it is.
using FileEdit = std::function<std::optional<std::string>(std::string_view content)>;

// Reads, edits and writes back the file that `file` names (following symbolic links) while it
// holds the file's lock, so that edits of other processes made the same way are never lost.
// A missing file is created; one that is not a regular file, or has no write bit at all, is left
// alone even where the rights would allow writing it. No change, no write.
//
// The new content replaces the file as ReplaceFile does, keeping its mode, owner and group. The
// file is rewritten in place instead when a replacement could not be the same file to its
// users: when it has other hard links, when its owner or group cannot be kept, or when the
// folder refuses a new file. In place is not atomic: a crash during it can leave a mix of old
// and new content. false when the edit could not be stored.
bool EditFile(const std::filesystem::path& file, const FileEdit& edit);

} // namespace platform
