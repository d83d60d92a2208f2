#include "RenameFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// ENOSYS: a kernel (or a sandbox) without the call. EINVAL, EOPNOTSUPP: a file system that
// cannot promise not to replace.
bool LacksNoReplace(int error) {
    return error == ENOSYS || error == EINVAL || error == EOPNOTSUPP;
}

// A hard link never replaces a name either. Between the two steps the file has both names, so
// a crash there loses nothing. When the old name refuses to go, the new one goes again, so a
// failed rename leaves the file as it found it, under one name.
bool LinkThenUnlink(const char* oldPath, const char* newPath) {
    if (link(oldPath, newPath) != 0)
        return false;
    if (unlink(oldPath) == 0)
        return true;
    unlink(newPath);
    return false;
}

} // namespace

bool RenameFile(std::string oldPath, std::string newPath) noexcept {
    // The system reads a name up to its first NUL: "a\0b" would rename the file "a".
    if (oldPath.find('\0') != std::string::npos || newPath.find('\0') != std::string::npos)
        return false;
    if (renameat2(AT_FDCWD, oldPath.c_str(), AT_FDCWD, newPath.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    return LacksNoReplace(errno) && LinkThenUnlink(oldPath.c_str(), newPath.c_str());
}
