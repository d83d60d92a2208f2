#include "ThreadConditions.h"

#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

sock_filter Load(std::size_t offset) {
    return BPF_STMT(BPF_LD | BPF_W | BPF_ABS, static_cast<unsigned>(offset));
}

sock_filter Return(unsigned action) {
    return BPF_STMT(BPF_RET | BPF_K, action);
}

// What the filter call returns: 0, or the watcher's descriptor when `flags` asks for one; -1
// when the filter could not be had.
long Install(std::vector<sock_filter> rules, unsigned flags) {
    sock_fprog program{static_cast<unsigned short>(rules.size()), rules.data()};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        return -1;
    return syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, flags, &program);
}

bool Filter(std::vector<sock_filter> rules) {
    return Install(std::move(rules), 0) == 0;
}

// Rules that meet each of `numbers` with `action` and let every other call through.
std::vector<sock_filter> MeetWith(const std::vector<long>& numbers, unsigned action) {
    std::vector<sock_filter> rules{Load(offsetof(seccomp_data, nr))};
    for (const long number : numbers) {
        rules.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(number), 0, 1));
        rules.push_back(Return(action));
    }
    rules.push_back(Return(SECCOMP_RET_ALLOW));
    return rules;
}

} // namespace

bool RefuseSystemCall(long number, int error) {
    return Filter(MeetWith({number}, SECCOMP_RET_ERRNO | static_cast<unsigned>(error)));
}

// Smaller writes go through: the sanitizers' runtime checks that memory can be read by writing a
// few bytes of it into a pipe, and ends the process, quietly and with status 0, when it cannot.
bool FillTheDisk() {
    constexpr unsigned page = 4096;
    return Filter({
        Load(offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_write, 0, 3),
        Load(offsetof(seccomp_data, args[2])), // the byte count's low half: no write here is larger
        BPF_JUMP(BPF_JMP | BPF_JGT | BPF_K, page, 0, 1),
        Return(SECCOMP_RET_ERRNO | ENOSPC),
        Return(SECCOMP_RET_ALLOW),
    });
}

bool Use(UnnamedFiles files) {
    if (files == UnnamedFiles::Offered)
        return true;
    // The C library opens every file with openat; its flags are the third argument.
    return Filter({
        Load(offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_openat, 0, 3),
        Load(offsetof(seccomp_data, args[2])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, O_TMPFILE & ~O_DIRECTORY, 0, 1),
        Return(SECCOMP_RET_ERRNO | EOPNOTSUPP),
        Return(SECCOMP_RET_ALLOW),
    });
}

std::string UnnamedFilesName(const testing::TestParamInfo<UnnamedFiles>& info) {
    return info.param == UnnamedFiles::Offered ? "UnnamedFilesOffered" : "UnnamedFilesRefused";
}

bool DieAtSystemCall(const std::vector<long>& numbers) {
    // The kernel ends the process by SIGSYS, whose core dump would only litter.
    const rlimit noCore{0, 0};
    return setrlimit(RLIMIT_CORE, &noCore) == 0 &&
           Filter(MeetWith(numbers, SECCOMP_RET_KILL_PROCESS));
}

int HoldSystemCalls(const std::vector<long>& numbers) {
    return static_cast<int>(
        Install(MeetWith(numbers, SECCOMP_RET_USER_NOTIF), SECCOMP_FILTER_FLAG_NEW_LISTENER));
}

bool OwnMountTable() {
    return unshare(CLONE_NEWNS) == 0 &&
           mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// The raw system calls change this thread alone, where the library would change them all.
bool ActAsNobody() {
    constexpr long kNobody = 65534;
    if (geteuid() != 0)
        return true;
    return syscall(SYS_setresgid, -1, kNobody, -1) == 0 &&
           syscall(SYS_setresuid, -1, kNobody, -1) == 0;
}
