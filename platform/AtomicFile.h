#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Whole-file reads and writes for files that users keep: a reader never waits on a FIFO or a
// device, and a writer never leaves half a file under the file's name.
namespace platform {

// Writes all of content to fd, going on after a signal cut a write short; false, with errno set,
// when a write failed.
bool WriteAll(int fd, std::string_view content);

// The whole content of a regular file; nothing when it is missing, cannot be read or is not a
// regular file.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);

// Writes a new file's bytes into fd, a fresh file open for writing; false when it could not
// write them all.
using FileWriter = std::function<bool(int fd)>;

// Asked when `file` is taken already, before the new file replaces what bears the name;
// `passesThrough` is the fixed temporary name that the new file bears for a moment on its way,
// which a crash just then could leave behind. false keeps the name as it is.
using ReplaceConsent = std::function<bool(const std::filesystem::path& passesThrough)>;

// Makes `file` name a new file that holds what `write` puts into it, so that `file` names its
// old file or the whole new one, never a part of it; a failed write leaves `file` as it was.
// The new file takes a free name by being linked there once complete and on disk, unnamed until
// then where the file system allows, so a crash leaves nothing behind. A name that is taken
// (whatever bears it, a symbolic link too) is replaced only when `mayReplace` agrees: false,
// with errno EEXIST, when it does not. The new file gets the usual mode of a new file.
//
// With Flush::Later the write does not wait for the disk: a crash soon after may find the old
// file under the name, or, on a file system that does not order a replacing rename after the
// new file's bytes, an empty one.
enum class Flush { Now, Later };
bool WriteNewFile(const std::filesystem::path& file, const FileWriter& write,
                  const ReplaceConsent& mayReplace, Flush flush = Flush::Now);

// A file's new content given its current one (empty for a missing file); nothing leaves the
// file as it is.
using FileEdit = std::function<std::optional<std::string>(std::string_view content)>;

// Reads, edits and writes back the file that `file` names (following symbolic links) while it
// holds the file's lock, so that edits of other processes made the same way are never lost.
// A missing file is created; one that is not a regular file, or has no write bit at all, is left
// alone even where the rights would allow writing it. No change, no write.
//
// The new content replaces the file as WriteNewFile does, keeping its mode, owner and group. The
// file is rewritten in place instead when a replacement could not be the same file to its
// users: when it has other hard links, when its owner or group cannot be kept, or when the
// folder refuses a new file. In place is not atomic: a crash during it can leave a mix of old
// and new content. false when the edit could not be stored.
bool EditFile(const std::filesystem::path& file, const FileEdit& edit);

} // namespace platform
