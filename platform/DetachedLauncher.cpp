#include "DetachedLauncher.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

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

// A descriptor that becomes readable when the process ends. Called through syscall(): the C
// library's own wrapper is declared without C linkage in Debian 12's headers.
int ProcessDescriptor(pid_t process) {
    return static_cast<int>(::syscall(SYS_pidfd_open, process, 0));
}

// Someone has to collect the program's exit, or it lingers as a zombie until this program ends.
void ReapWhenItEnds(pid_t child) {
    try {
        std::thread([child] { ::waitpid(child, nullptr, 0); }).detach();
    } catch (const std::system_error&) {
        // Without a thread to spare, the ended program lingers until this one ends.
    }
}

// Watches one started program from the event loop, as a child of the caller's context: its
// descriptor becomes readable when the program ends. Whatever ends the watch (the program's
// end, the time, the context's end) destroys it, and a program not yet collected by then is
// handed to a thread that collects it.
class ExitWatch : public QObject {
public:
    ExitWatch(pid_t child, int descriptor, std::chrono::milliseconds watch, QObject& context,
              std::function<void(Watched)> outcome)
        : QObject(&context), child_(child), descriptor_(descriptor), outcome_(std::move(outcome)),
          ended_(descriptor, QSocketNotifier::Read, this) {
        connect(&ended_, &QSocketNotifier::activated, this, &ExitWatch::collect);
        QTimer::singleShot(watch, this, [this] { report(Watched::StillRunning); });
    }
    ~ExitWatch() override {
        if (!collected_)
            ReapWhenItEnds(child_);
        ::close(descriptor_);
    }
    ExitWatch(const ExitWatch&) = delete;
    ExitWatch& operator=(const ExitWatch&) = delete;

private:
    void collect() {
        siginfo_t end{};
        int result = 0;
        do {
            result = ::waitid(P_PID, static_cast<id_t>(child_), &end, WEXITED | WNOHANG);
        } while (result != 0 && errno == EINTR);
        if (result != 0) {
            // Collected elsewhere: it has ended, but how is lost.
            collected_ = true;
            report(Watched::EndedWell);
            return;
        }
        if (end.si_pid != child_)
            return;
        collected_ = true;
        report(end.si_code == CLD_EXITED && end.si_status == 0 ? Watched::EndedWell
                                                               : Watched::Failed);
    }

    void report(Watched what) {
        if (!outcome_)
            return;
        ended_.setEnabled(false);
        deleteLater();
        std::exchange(outcome_, nullptr)(what);
    }

    pid_t child_;
    int descriptor_;
    std::function<void(Watched)> outcome_;
    QSocketNotifier ended_;
    bool collected_ = false;
};

} // namespace

// QProcess would carry program and arguments through QStrings, which replace the bytes of a
// name that is not UTF-8, and would end a viewer still running when the kit quits; spawning
// directly keeps both.
void DetachedLauncher::startDetached(const std::string& program,
                                     const std::vector<std::string>& arguments,
                                     std::chrono::milliseconds watch, QObject& context,
                                     std::function<void(Watched)> outcome) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const SpawnAttributes attributes;
    pid_t child = 0;
    // A program that cannot be found or run is the spawn's own failure, not the child's.
    if (::posix_spawnp(&child, program.c_str(), nullptr, attributes.get(), argv.data(), environ) !=
        0) {
        QMetaObject::invokeMethod(
            &context, [outcome = std::move(outcome)] { outcome(Watched::NotStarted); },
            Qt::QueuedConnection);
        return;
    }
    const int descriptor = ProcessDescriptor(child);
    if (descriptor < 0) {
        // A kernel too old to watch a process by a descriptor: the program runs unwatched.
        ReapWhenItEnds(child);
        QMetaObject::invokeMethod(
            &context, [outcome = std::move(outcome)] { outcome(Watched::StillRunning); },
            Qt::QueuedConnection);
        return;
    }
    new ExitWatch(child, descriptor, watch, context, std::move(outcome));
}

} // namespace platform
