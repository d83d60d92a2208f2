#include "DetachedLauncher.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>

extern char** environ;

namespace platform {

namespace {

// Owns the attributes of one spawn.
class SpawnAttributes {
public:
    SpawnAttributes() {
        ::posix_spawnattr_init(&attributes_);
        // A session of its own, so that the terminal's hang-up and interrupt leave it alone,
        // and no signal blocked on the calling thread stays blocked in the program.
        sigset_t none;
        sigemptyset(&none);
        ::posix_spawnattr_setsigmask(&attributes_, &none);
        ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK);
    }
    ~SpawnAttributes() { ::posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    const posix_spawnattr_t* get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_;
};

// Someone has to collect the program's exit, or it lingers as a zombie until this program ends.
void ReapWhenItEnds(pid_t child) {
    try {
        std::thread([child] { ::waitpid(child, nullptr, 0); }).detach();
    } catch (const std::system_error&) {
        // Without a thread to spare, the ended program lingers until this one ends.
    }
}

} // namespace

// QProcess would carry program and arguments through QStrings, which replace the bytes of a
// name that is not UTF-8; spawning directly keeps them.
bool DetachedLauncher::startDetached(const std::string& program,
                                     const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const SpawnAttributes attributes;
    pid_t child = 0;
    // A program that cannot be found or run is the spawn's own failure, not the child's.
    const int error =
        ::posix_spawnp(&child, program.c_str(), nullptr, attributes.get(), argv.data(), environ);
    if (error != 0)
        return false;
    ReapWhenItEnds(child);
    return true;
}

} // namespace platform
