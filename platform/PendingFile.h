#pragma once

#include "platform/FileDescriptor.h"

#include <filesystem>

namespace platform {

// Makes the new and changed names in `folder` survive a crash; a folder that cannot be synced
// changes nothing.
void SyncFolder(const std::filesystem::path& folder);

// Whether a file may take the place of one that already bears its final name.
enum class Existing { Replace, Keep };

// A new file being written in the folder of its final name, which it takes only when complete.
// It has no name at all where the file system allows; otherwise, and for the moment between
// naming it and renaming it, it bears the one fixed name "." + final name + ".tmp", so a crash
// can leave at most that one file behind. The next writer clears such a leftover. The file is
// locked (flock) for its whole life so that no other writer takes a live one for a leftover.
class PendingFile {
public:
    // fd() is -1, with errno set, when the folder refuses a new file.
    explicit PendingFile(std::filesystem::path target);
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile();

    int fd() const { return file_.get(); }
    const std::filesystem::path& target() const { return target_; }
    // The one name that the file may bear before its final one.
    const std::filesystem::path& fixedName() const { return fixed_; }
    // Puts the file, synced to disk, under its final name and syncs the folder so that the name
    // survives a crash. false, with errno set, when that cannot be done; with Existing::Keep,
    // errno EEXIST means that another file took the name first.
    bool publish(Existing existing);
    // Puts the file under its final name as publish does, but leaves both the file and the name
    // to the caller to make durable: its bytes must be on disk before it is named.
    bool name(Existing existing);

    // The fixed name of a new file for `target`.
    static std::filesystem::path FixedNameOf(const std::filesystem::path& target);
    // Removes what a writer that died left under `fixed`, a fixed name; waits for a live one.
    static void ClearLeftover(const std::filesystem::path& fixed);

private:
    struct Opened {
        int fd;
        bool named;
    };
    static Opened open(const std::filesystem::path& target);
    PendingFile(std::filesystem::path target, Opened opened);
    bool takeFixedName();
    bool moveToTarget(Existing existing);

    std::filesystem::path target_;
    std::filesystem::path fixed_;
    FileDescriptor file_;
    bool named_; // the fixed name is this file's, to be removed if it is never published
};

} // namespace platform
