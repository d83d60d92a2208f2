#pragma once

#include <functional>
#include <optional>
#include <vector>

// How a child process of RunKilledAtCall ended: its wait status, and how many of the watched
// calls it made before that.
struct WatchedChild {
    int status = 0;
    int calls = 0;
};

// Runs `work` in a child process and kills it with SIGKILL just before its `killAt`th call
// (counting from 1) of any of the system calls `numbers`; a child that makes fewer such calls
// runs to its end. The child's syncs among them return at once and reach no disk. nullopt when a
// child cannot be watched so here.
std::optional<WatchedChild> RunKilledAtCall(const std::vector<long>& numbers, int killAt,
                                            const std::function<void()>& work);
