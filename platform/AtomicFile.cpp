#include "platform/AtomicFile.h"

#include "platform/FileDescriptor.h"
#include "platform/FileLock.h"
#include "platform/PendingFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {

namespace {

// From the descriptor's current offset to the end.
std::optional<std::string> readAll(int fd) {
    std::string content;
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got == 0) {
            return content;
        }
        if (got > 0) {
            content.append(buffer.data(), static_cast<std::size_t>(got));
        } else if (errno != EINTR) {
            return std::nullopt;
        }
    }
}

// The file that an edit must change: the end of a chain of symbolic links, so the links stay.
std::optional<fs::path> linkTarget(fs::path file) {
    constexpr int kMaxHops = 40;
    std::error_code error;
    for (int hop = 0; hop < kMaxHops; ++hop) {
        if (!fs::is_symlink(fs::symlink_status(file, error))) {
            return file;
        }
        const fs::path next = fs::read_symlink(file, error);
        if (error) {
            return std::nullopt;
        }
        file = file.parent_path() / next; // an absolute target replaces the whole path
    }
    return std::nullopt;
}

// How one attempt at an edit ended. Raced: another process replaced or created the file
// meanwhile, and the edit must start again from that file's content.
enum class Outcome { Done, Failed, Raced };

Outcome createMissing(const fs::path& target, const FileEdit& edit) {
    const std::optional<std::string> content = edit({});
    if (!content || content->empty()) {
        return Outcome::Done;
    }
    PendingFile pending(target);
    if (pending.fd() < 0 || !WriteAll(pending.fd(), *content)) {
        return Outcome::Failed;
    }
    if (pending.publish(Existing::Keep)) {
        return Outcome::Done;
    }
    return errno == EEXIST ? Outcome::Raced : Outcome::Failed;
}

// 0 when target now names a new file holding content with the old one's owner, group and
// mode, else the error of the step that failed.
int replaceKeepingOwner(const fs::path& target, const struct stat& old, std::string_view content) {
    PendingFile pending(target);
    // The owner first: changing it clears set-id bits that the mode then puts back.
    const bool replaced =
        pending.fd() >= 0 && ::fchown(pending.fd(), old.st_uid, old.st_gid) == 0 &&
        WriteAll(pending.fd(), content) && ::fchmod(pending.fd(), old.st_mode & 07777) == 0 &&
        pending.publish(Existing::Replace);
    return replaced ? 0 : errno;
}

// Errors that mean "not a new file here, not by this user", as against a full disk or a
// failing one, where rewriting in place would only risk the old content.
bool refusesReplacement(int error) {
    return error == EACCES || error == EPERM || error == EEXIST;
}

// Only the bytes from the first change on are written, after reserving the space that a longer
// content needs, so a full disk stops the rewrite before it changes anything.
bool rewriteInPlace(int fd, std::string_view old, std::string_view content) {
    const auto from =
        static_cast<std::size_t>(std::ranges::mismatch(old, content).in2 - content.begin());
    const auto size = static_cast<off_t>(content.size());
    if (content.size() > old.size() && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) != 0 &&
        errno != EOPNOTSUPP) {
        return false;
    }
    return ::lseek(fd, static_cast<off_t>(from), SEEK_SET) >= 0 &&
           WriteAll(fd, content.substr(from)) && ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
}

Outcome editOnce(const fs::path& target, const FileEdit& edit) {
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0) {
        return errno == ENOENT ? createMissing(target, edit) : Outcome::Failed;
    }
    // Checked before opening, so a device is never opened for writing.
    if (!S_ISREG(status.st_mode)) {
        return Outcome::Failed;
    }
    // Open for writing even to read: the lock over a network file system needs it.
    FileDescriptor file(::open(target.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        return errno == ENOENT ? Outcome::Raced : Outcome::Failed;
    }
    if (!LockFile(file.get()) || ::fstat(file.get(), &status) != 0) {
        return Outcome::Failed;
    }
    // The path may name another file by now: the one that the lock's last holder put there.
    if (!NamesFile(target, file.get())) {
        return Outcome::Raced;
    }
    // A file that its owner made read-only stays so, even for a user whose rights override it.
    if (!S_ISREG(status.st_mode) || (status.st_mode & 0222) == 0) {
        return Outcome::Failed;
    }
    const std::optional<std::string> old = readAll(file.get());
    if (!old) {
        return Outcome::Failed;
    }
    const std::optional<std::string> content = edit(*old);
    if (!content || *content == *old) {
        return Outcome::Done;
    }
    if (status.st_nlink == 1) {
        const int error = replaceKeepingOwner(target, status, *content);
        if (!refusesReplacement(error)) {
            return error == 0 ? Outcome::Done : Outcome::Failed;
        }
    }
    return rewriteInPlace(file.get(), *old, *content) ? Outcome::Done : Outcome::Failed;
}

} // namespace

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t put = ::write(fd, content.data(), content.size());
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            if (put == 0) {
                errno = EIO;
            }
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

std::optional<std::string> ReadWholeFile(const fs::path& file) {
    const FileDescriptor handle(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (handle.get() < 0 || ::fstat(handle.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return readAll(handle.get());
}

bool WriteNewFile(const fs::path& file, const FileWriter& write, const ReplaceConsent& mayReplace,
                  Flush flush) {
    PendingFile pending(file);
    if (pending.fd() < 0 || !write(pending.fd()) ||
        (flush == Flush::Now && ::fsync(pending.fd()) != 0)) {
        return false;
    }
    if (!pending.name(Existing::Keep)) {
        if (errno != EEXIST) {
            return false;
        }
        if (!mayReplace || !mayReplace(pending.fixedName())) {
            errno = EEXIST;
            return false;
        }
        if (!pending.name(Existing::Replace)) {
            return false;
        }
    }
    if (flush == Flush::Now) {
        SyncFolder(file.parent_path().empty() ? fs::path(".") : file.parent_path());
    }
    return true;
}

bool EditFile(const fs::path& file, const FileEdit& edit) {
    // Each race lost means that another edit was stored, so a few hundred are not expected.
    constexpr int kAttempts = 1000;
    const std::optional<fs::path> target = linkTarget(file);
    for (int attempt = 0; target && attempt < kAttempts; ++attempt) {
        const Outcome outcome = editOnce(*target, edit);
        if (outcome != Outcome::Raced) {
            return outcome == Outcome::Done;
        }
    }
    return false;
}

} // namespace platform
