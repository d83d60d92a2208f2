#pragma once

#include <cerrno>

namespace platform {

// Repeats a system call that a signal cut off (-1 with EINTR). The program may handle signals
// without SA_RESTART, and some calls the kernel never restarts.
template <class Call> auto RetryInterrupted(Call call) {
    decltype(call()) result;
    do
        result = call();
    while (result == -1 && errno == EINTR);
    return result;
}

} // namespace platform
