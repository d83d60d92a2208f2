#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>

// Conditions a test thread puts itself under. Each holds for the calling thread and the threads
// it starts only, and ends with it, so nothing reaches the rest of the test program. Each
// returns false when the condition cannot be had here.

// Makes the kernel answer the system call `number` with `error`, as an old kernel or a
// container's filter would.
bool RefuseSystemCall(long number, int error);

// Makes the kernel refuse every write of more than a page with ENOSPC, as a full disk does.
bool FillTheDisk();

// Whether the file system hands out unnamed files (O_TMPFILE), as most local ones do, or
// refuses them, as some network ones do.
enum class UnnamedFiles { Offered, Refused };

// Makes the file system of the thread look so.
bool Use(UnnamedFiles files);

// For parameterized tests' names.
std::string UnnamedFilesName(const testing::TestParamInfo<UnnamedFiles>& info);

// Ends the whole process, as kill -9 would, at its first call of any of `numbers`. For a
// child process of a test.
bool DieAtSystemCall(const std::vector<long>& numbers);

// Makes each call of any of `numbers` wait until a watcher lets it go on; returns the
// descriptor through which the watcher sees and answers the calls, or -1. For a child process
// of a test, which hands the descriptor to its parent.
int HoldSystemCalls(const std::vector<long>& numbers);

// A mount table of the thread's own, where mounts made for a test stay invisible to others.
bool OwnMountTable();

// Root reads and writes everything whatever its mode; as "nobody" the thread is refused like
// a user. Holds as it is when the tests do not run as root.
bool ActAsNobody();
