#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

// A named pipe that nobody writes to. Opening it for reading waits for a writer; should a
// reader still be waiting after `patience`, the pipe is opened for writing and closed again,
// so that the reader sees an empty file and the test goes on to report the wait instead of
// hanging for good.
class UnwrittenPipe {
public:
    explicit UnwrittenPipe(const std::filesystem::path& path,
                           std::chrono::milliseconds patience = std::chrono::seconds(3));
    UnwrittenPipe(const UnwrittenPipe&) = delete;
    UnwrittenPipe& operator=(const UnwrittenPipe&) = delete;

    // Whether a reader had to be let go.
    bool readerWaited() const { return readerWaited_; }

private:
    std::atomic<bool> readerWaited_ = false;
    std::jthread watch_;
};
