#include "KilledAtCall.h"

#include "ThreadConditions.h"
#include "platform/FileDescriptor.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <linux/seccomp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using platform::FileDescriptor;

// A descriptor passes between processes only as the ancillary data of a message.
struct DescriptorMessage {
    DescriptorMessage() = default;
    DescriptorMessage(const DescriptorMessage&) = delete;
    DescriptorMessage& operator=(const DescriptorMessage&) = delete;

    char byte = 0;
    iovec data{&byte, 1};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))]{};
    msghdr header{nullptr, 0, &data, 1, control, sizeof(control), 0};
};

bool SendDescriptor(int socket, int fd) {
    DescriptorMessage message;
    cmsghdr* const attached = CMSG_FIRSTHDR(&message.header);
    attached->cmsg_level = SOL_SOCKET;
    attached->cmsg_type = SCM_RIGHTS;
    attached->cmsg_len = CMSG_LEN(sizeof(int));
    std::memcpy(CMSG_DATA(attached), &fd, sizeof(int));
    return sendmsg(socket, &message.header, 0) == 1;
}

int ReceiveDescriptor(int socket) {
    DescriptorMessage message;
    if (recvmsg(socket, &message.header, MSG_CMSG_CLOEXEC) != 1)
        return -1;
    const cmsghdr* const attached = CMSG_FIRSTHDR(&message.header);
    if (attached == nullptr || attached->cmsg_type != SCM_RIGHTS)
        return -1;
    int fd = -1;
    std::memcpy(&fd, CMSG_DATA(attached), sizeof(int));
    return fd;
}

// The child puts itself under watch before it does any of its work, and dies with the test.
[[noreturn]] void BeWatched(int socket, const std::vector<long>& numbers,
                            const std::function<void()>& work) {
    const int watcher = HoldSystemCalls(numbers);
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || watcher < 0 || !SendDescriptor(socket, watcher))
        _exit(3);
    close(watcher);
    close(socket);
    try {
        work();
    } catch (...) {
        _exit(2);
    }
    _exit(0);
}

// Whether the child waits in a watched call; false once it has ended.
bool NextCall(int watcher, int ended) {
    for (;;) {
        pollfd events[] = {{watcher, POLLIN, 0}, {ended, POLLIN, 0}};
        if (poll(events, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if ((events[0].revents & POLLIN) != 0)
            return true;
        if (events[0].revents != 0 || events[1].revents != 0)
            return false;
    }
}

// A killed process loses nothing that the kernel holds already, so its syncs need not reach the
// disk; on a busy disk they would take most of the run.
bool Syncs(int number) {
    return number == SYS_fsync || number == SYS_fdatasync;
}

// Counts the child's watched calls, lets each go on but the `killAt`th, and kills the child
// there; the call itself is never made.
int Watch(pid_t child, int watcher, int killAt) {
    // The C library's declaration of pidfd_open here lacks C linkage.
    const FileDescriptor ended(static_cast<int>(syscall(SYS_pidfd_open, child, 0)));
    int calls = 0;
    while (ended.get() >= 0 && NextCall(watcher, ended.get())) {
        seccomp_notif call{};
        // The call is gone when its thread was ended meanwhile.
        if (ioctl(watcher, SECCOMP_IOCTL_NOTIF_RECV, &call) != 0)
            continue;
        if (calls + 1 == killAt) {
            kill(child, SIGKILL);
            break;
        }
        ++calls;
        // Without the flag the answer, success, stands for the call, which is not made.
        const __u32 flags = Syncs(call.data.nr) ? 0 : SECCOMP_USER_NOTIF_FLAG_CONTINUE;
        seccomp_notif_resp answer{call.id, 0, 0, flags};
        ioctl(watcher, SECCOMP_IOCTL_NOTIF_SEND, &answer);
    }
    if (ended.get() < 0)
        kill(child, SIGKILL);
    return calls;
}

} // namespace

std::optional<WatchedChild> RunKilledAtCall(const std::vector<long>& numbers, int killAt,
                                            const std::function<void()>& work) {
    int sockets[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0)
        return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        close(sockets[0]);
        BeWatched(sockets[1], numbers, work);
    }
    close(sockets[1]);
    const FileDescriptor watcher(child > 0 ? ReceiveDescriptor(sockets[0]) : -1);
    close(sockets[0]);
    if (child < 0)
        return std::nullopt;
    WatchedChild ran;
    if (watcher.get() >= 0)
        ran.calls = Watch(child, watcher.get(), killAt);
    waitpid(child, &ran.status, 0);
    if (watcher.get() < 0)
        return std::nullopt;
    return ran;
}
