#include "KilledPasses.h"

#include "FolderContents.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Contents = std::map<std::string, std::string>;
using Clock = std::chrono::steady_clock;

constexpr int kFirstKilledRun = 3;

// Starts pass number `run` in a child process and returns the child once the pass is about to
// begin, or -1.
pid_t StartPass(const KilledPasses& passes, int run) {
    int ready[2];
    if (pipe(ready) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        const bool prepared = passes.prepare();
        const char started = prepared ? 1 : 0;
        if (write(ready[1], &started, 1) != 1 || !prepared)
            _exit(3);
        try {
            passes.pass(run);
        } catch (...) {
            _exit(2);
        }
        _exit(0);
    }
    close(ready[1]);
    char started = 0;
    const bool running = child > 0 && read(ready[0], &started, 1) == 1 && started == 1;
    close(ready[0]);
    return running ? child : -1;
}

void ExpectEveryFileUnderItsOldOrNewName(const Contents& before, const std::vector<Renaming>& plan,
                                         const Contents& after, bool bothNamesMayShow) {
    std::map<std::string, std::set<std::string>> allowed;
    for (const Renaming& renaming : plan) {
        const std::string& bytes = before.at(renaming.oldPath);
        allowed[renaming.oldPath].insert(bytes);
        allowed[renaming.newPath].insert(bytes);
        const auto holds = [&](const std::string& name) {
            return after.contains(name) && after.at(name) == bytes;
        };
        EXPECT_TRUE(holds(renaming.oldPath) || holds(renaming.newPath)) << renaming.oldPath;
    }
    for (const auto& [name, bytes] : after)
        EXPECT_TRUE(allowed[name].contains(bytes)) << "stray " << name;
    if (!bothNamesMayShow) {
        EXPECT_EQ(after.size(), before.size());
    }
}

} // namespace

void KillPassesAtRandom(const KilledPasses& passes, int kills) {
    // The quickest whole pass counts, as others may be slowed by the machine's load. Kills fall
    // within that time, and within ever less of it while passes end before their kill.
    auto passTime = Clock::duration::max();
    for (int run = 0; run < kFirstKilledRun; ++run) {
        const auto start = Clock::now();
        passes.pass(run);
        passTime = std::min(passTime, Clock::now() - start);
    }
    long killWithin = std::chrono::duration_cast<std::chrono::microseconds>(passTime).count();

    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    Contents before = FolderContents(passes.folder);
    int status = 0;
    int killed = 0;
    for (int run = kFirstKilledRun; killed < kills && run < kFirstKilledRun + 4 * kills; ++run) {
        const std::vector<Renaming> plan = passes.plan(run);
        const pid_t child = StartPass(passes, run);
        if (child < 0)
            GTEST_SKIP() << "cannot start a pass in a child process under these conditions here";
        const long delay = std::uniform_int_distribution<long>(0, killWithin)(random);
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        if (WIFSIGNALED(status)) {
            ++killed;
        } else {
            ASSERT_EQ(WEXITSTATUS(status), 0);
            killWithin = std::max(1L, killWithin / 2);
        }

        const Contents after = FolderContents(passes.folder);
        ExpectEveryFileUnderItsOldOrNewName(before, plan, after, passes.bothNamesMayShow);
        if (testing::Test::HasFailure())
            return;
        before = after;
    }
    EXPECT_EQ(killed, kills) << "passes ended before their kill";
}
