#pragma once

#include <functional>

// How a test body run in a child process ended.
enum class ChildEnd { Passed, Failed, Skipped };

// Runs `body` in a child process, a copy of the test program, for set-ups that must not reach
// the rest of it (a mount table, a user of its own). The child prints its failures as they
// happen; a body that returns false could not set up what it needs here.
ChildEnd RunInChild(const std::function<bool()>& body);
