#include "UnwrittenPipe.h"

#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

UnwrittenPipe::UnwrittenPipe(const std::filesystem::path& path,
                             std::chrono::milliseconds patience) {
    if (::mkfifo(path.c_str(), 0644) != 0)
        throw std::runtime_error("cannot make the named pipe " + path.string());
    watch_ = std::jthread([this, path, patience](std::stop_token stop) {
        std::mutex mutex;
        std::condition_variable_any wakeUp;
        std::unique_lock lock(mutex);
        while (!wakeUp.wait_for(lock, stop, patience, [] { return false; }) &&
               !stop.stop_requested()) {
            // Succeeds only while someone has the pipe open, or is waiting to, for reading.
            const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writer >= 0) {
                readerWaited_ = true;
                ::close(writer);
            }
        }
    });
}
