#include "platform/PendingFile.h"

#include "platform/FileLock.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace platform {

namespace {

// Enough to outlast a writer that keeps taking the fixed name while this one clears it.
constexpr int kAttempts = 100;

fs::path folderOf(const fs::path& target) {
    return target.parent_path().empty() ? fs::path(".") : target.parent_path();
}

// Linking an unnamed file by its descriptor alone takes a privilege; by its /proc name it does
// not.
std::string procName(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

bool linkUnnamed(int fd, const fs::path& name) {
    return ::linkat(AT_FDCWD, procName(fd).c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// -1 where the file system has no unnamed files or /proc could not name one later.
int openUnnamed(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd >= 0 && (::access(procName(fd).c_str(), F_OK) != 0 || !LockFile(fd))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The fixed name, created afresh and locked, or -1 with errno set.
int openNamed(const fs::path& fixed) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int fd =
            ::open(fixed.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return -1;
        }
        if (fd < 0) {
            PendingFile::ClearLeftover(fixed);
            continue;
        }
        // Another writer may have cleared it as a leftover between its creation and the lock.
        if (LockFile(fd) && NamesFile(fixed, fd)) {
            return fd;
        }
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

} // namespace

void SyncFolder(const fs::path& folder) {
    const FileDescriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.get() >= 0) {
        ::fsync(handle.get());
    }
}

// A very long final name is cut so that the fixed name still fits in a folder entry. Two names
// that begin alike for that long share a fixed name, which only makes their writers take turns.
fs::path PendingFile::FixedNameOf(const fs::path& target) {
    constexpr std::string_view kSuffix = ".tmp";
    std::string name = target.filename().string();
    name.resize(std::min(name.size(), NAME_MAX - 1 - kSuffix.size()));
    return target.parent_path() / ("." + name + std::string(kSuffix));
}

// The lock waits for a live writer to finish; by then its file has left the name, which is why
// the name is checked again.
void PendingFile::ClearLeftover(const fs::path& fixed) {
    const FileDescriptor left(
        ::open(fixed.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (left.get() >= 0 && LockFile(left.get()) && NamesFile(fixed, left.get())) {
        ::unlink(fixed.c_str());
    }
}

PendingFile::Opened PendingFile::open(const fs::path& target) {
    if (const int fd = openUnnamed(folderOf(target)); fd >= 0) {
        return {fd, false};
    }
    const int fd = openNamed(FixedNameOf(target));
    return {fd, fd >= 0};
}

PendingFile::PendingFile(fs::path target) : PendingFile(target, open(target)) {}

PendingFile::PendingFile(fs::path target, Opened opened)
    : target_(std::move(target)), fixed_(FixedNameOf(target_)), file_(opened.fd),
      named_(opened.named) {}

PendingFile::~PendingFile() {
    if (named_) {
        ::unlink(fixed_.c_str());
    }
}

bool PendingFile::publish(Existing existing) {
    if (::fsync(fd()) != 0 || !name(existing)) {
        return false;
    }
    SyncFolder(folderOf(target_));
    return true;
}

// Linking never replaces, so an unnamed file that must not replace takes its name at once.
bool PendingFile::name(Existing existing) {
    return existing == Existing::Keep && !named_
               ? linkUnnamed(fd(), target_)
               : (named_ || takeFixedName()) && moveToTarget(existing);
}

bool PendingFile::takeFixedName() {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (linkUnnamed(fd(), fixed_)) {
            named_ = true;
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
        ClearLeftover(fixed_);
    }
    errno = EEXIST;
    return false;
}

bool PendingFile::moveToTarget(Existing existing) {
    if (existing == Existing::Replace) {
        if (::rename(fixed_.c_str(), target_.c_str()) != 0) {
            return false;
        }
    } else if (::renameat2(AT_FDCWD, fixed_.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) !=
               0) {
        // Where the file system cannot rename without replacing, a link still never replaces.
        if ((errno != EINVAL && errno != ENOSYS) || ::link(fixed_.c_str(), target_.c_str()) != 0) {
            return false;
        }
        ::unlink(fixed_.c_str());
    }
    named_ = false;
    return true;
}

} // namespace platform
