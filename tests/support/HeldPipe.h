#pragma once

#include "platform/FileDescriptor.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

// A named pipe that the test holds open at both ends, so that no open of it by the code under
// test waits: code that takes it for a file shows as a wrong result, not as a test that hangs.
struct HeldPipe {
    explicit HeldPipe(const std::filesystem::path& path)
        : held(::mkfifo(path.c_str(), 0644) == 0
                   ? ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC)
                   : -1) {}
    platform::FileDescriptor held;
};
