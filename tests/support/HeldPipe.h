#pragma once

#include "platform/FileDescriptor.h"

#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>

// A named pipe that the test itself holds open for reading and writing, so that no open of it
// by the code under test waits for the other end: code that mistakes it for a file shows as a
// wrong result, never as a test that hangs.
class HeldPipe {
public:
    explicit HeldPipe(const std::filesystem::path& path)
        : held_(::mkfifo(path.c_str(), 0644) == 0
                    ? ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC)
                    : -1) {
        if (held_.get() < 0)
            throw std::runtime_error("cannot make the named pipe " + path.string());
    }

private:
    platform::FileDescriptor held_;
};
