#pragma once

#include <string>
#include <sys/types.h>

namespace platform {

// Opens folders below a root by their path from it, however long that path is. The kernel is
// asked to refuse any symbolic link on the way and any mount crossed, bind mounts of the root's
// own file system included, which a device-number test could not tell apart. Kernels without
// openat2 get the device test.
class FolderOpener {
public:
    explicit FolderOpener(int rootFd);

    int root() const { return rootFd_; }

    // A descriptor of the folder at `relativePath` ("" for the root itself), or -1. The path is
    // made of listed names only, never "." or "..", so it cannot climb out of the root.
    int open(const std::string& relativePath) const;

private:
    int openPiece(int fromFd, const char* path) const;
    int openGuarded(int fromFd, const char* path) const;
    int openChecked(int fromFd, const char* path) const;

    int rootFd_;
    dev_t rootDevice_ = 0;
    bool kernelGuards_ = false;
};

} // namespace platform
