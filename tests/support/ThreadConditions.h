#pragma once

// Conditions a test thread puts itself under. Each holds for the calling thread and the threads
// it starts only, and ends with it, so nothing reaches the rest of the test program. Each says
// whether it could be had here.

// Makes the kernel answer the system call `number` with `error`, as an old kernel, a
// container's filter or a limited file system would.
bool RefuseSystemCall(long number, int error);

// Root may write and read every folder whatever its mode; as "nobody" the thread is refused
// like a user.
bool ActAsNobody();
