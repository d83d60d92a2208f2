#include "InChild.h"

#include <cstdio>
#include <exception>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kSkipped = 77;

} // namespace

ChildEnd RunInChild(const std::function<bool()>& body) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        int status = 1;
        try {
            status = !body() ? kSkipped : testing::Test::HasFailure() ? 1 : 0;
        } catch (const std::exception& failure) {
            std::fprintf(stderr, "the child failed: %s\n", failure.what());
        }
        std::fflush(nullptr);
        ::_exit(status);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return ChildEnd::Failed;
    return WEXITSTATUS(status) == 0          ? ChildEnd::Passed
           : WEXITSTATUS(status) == kSkipped ? ChildEnd::Skipped
                                             : ChildEnd::Failed;
}
