#include "FolderOpener.h"

#include "RetryInterrupted.h"

#include <climits>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

} // namespace

FolderOpener::FolderOpener(int rootFd) : rootFd_(rootFd) {
    struct stat st {};
    rootDevice_ = RetryInterrupted([&] { return ::fstat(rootFd, &st); }) == 0 ? st.st_dev : 0;
    const int probe = openGuarded(rootFd, ".");
    kernelGuards_ = probe >= 0;
    if (probe >= 0)
        ::close(probe);
}

// A path call takes at most PATH_MAX - 1 bytes. A longer path is walked in pieces that fit, cut
// at slashes, each opened from the folder the one before reached; so a folder of any depth costs
// two descriptors while it is opened, and none while it waits to be read. (Opening each folder
// from its parent's descriptor would hold one open for every folder whose subfolders wait, tens
// of thousands on a big drive.) Pieces are rare: within 32 levels the names must average 127
// bytes or more to need them, so the usual folder still costs one call.
int FolderOpener::open(const std::string& relativePath) const {
    if (relativePath.empty())
        return openPiece(rootFd_, ".");
    int from = rootFd_;
    std::size_t start = 0;
    for (;;) {
        const bool last = relativePath.size() - start < PATH_MAX;
        const std::size_t end =
            last ? relativePath.size() : relativePath.rfind('/', start + PATH_MAX - 1);
        const int reached = last ? openPiece(from, relativePath.c_str() + start)
                                 : openPiece(from, relativePath.substr(start, end - start).c_str());
        if (from != rootFd_)
            ::close(from);
        if (last || reached < 0)
            return reached;
        from = reached;
        start = end + 1;
    }
}

int FolderOpener::openPiece(int fromFd, const char* path) const {
    return kernelGuards_ ? openGuarded(fromFd, path) : openChecked(fromFd, path);
}

// Each piece starts in a folder on the root's own mount, so refusing to cross a mount within the
// piece keeps the whole walk on it.
int FolderOpener::openGuarded(int fromFd, const char* path) const {
    open_how how{};
    how.flags = kFlags;
    how.resolve = RESOLVE_NO_XDEV | RESOLVE_NO_SYMLINKS;
    return static_cast<int>(
        RetryInterrupted([&] { return ::syscall(SYS_openat2, fromFd, path, &how, sizeof how); }));
}

int FolderOpener::openChecked(int fromFd, const char* path) const {
    const int fd = RetryInterrupted([&] { return ::openat(fromFd, path, kFlags); });
    struct stat st {};
    if (fd >= 0 &&
        (RetryInterrupted([&] { return ::fstat(fd, &st); }) != 0 || st.st_dev != rootDevice_)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace platform
