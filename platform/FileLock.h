#pragma once

#include <cerrno>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>

// A file locked by its path is locked by its descriptor (flock), which a rename may part from
// the path meanwhile; the holder checks that the path still names the file it locked.
namespace platform {

// Waits for the exclusive lock on the open file fd; it lasts until the file is closed.
inline bool LockFile(int fd) {
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

// Whether path, not followed, names the file open as fd.
inline bool NamesFile(const std::filesystem::path& path, int fd) {
    struct stat named {};
    struct stat open {};
    return ::lstat(path.c_str(), &named) == 0 && ::fstat(fd, &open) == 0 &&
           named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

} // namespace platform
