#include "FolderContents.h"
#include "platform/FolderListing.h"
#include "support/TempDir.h"
#include "support/ThreadConditions.h"
#include "tessaly/install/RenumberFolder.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Contents = std::map<std::string, std::string>;
using Clock = std::chrono::steady_clock;

// The pass as it renames where the file system refuses to replace a name, and where it gives
// a file its new name before it takes away the old one.
enum class Way { NoReplace, HardLinks };

const char* NameOf(Way way) {
    return way == Way::NoReplace ? "NoReplace" : "HardLinks";
}

void PrintTo(Way way, std::ostream* out) {
    *out << NameOf(way);
}

constexpr int kKillsPerWay = 100;
constexpr int kFiles = 200;

// Starts one pass in a child process and returns the child once the pass is about to begin.
pid_t StartPass(const std::string& folder, const std::string& word, Way way) {
    int ready[2];
    if (pipe(ready) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        const bool under = way == Way::NoReplace || RefuseSystemCall(SYS_renameat2, EINVAL);
        const char started = under ? 1 : 0;
        if (write(ready[1], &started, 1) != 1 || !under)
            _exit(3);
        try {
            RenumberFolder(folder, word,
                           [](const std::string&, const std::string&) { return true; });
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

// Every file lies under its old name or the one the pass planned for it, with its bytes, and
// nothing else lies in the folder. Only the hard-link way may, for an instant, show both names.
void ExpectEveryFileUnderItsOldOrNewName(const Contents& before, const NumberedRenames& plan,
                                         const Contents& after, Way way) {
    std::map<std::string, std::set<std::string>> allowed;
    for (const Renaming& renaming : plan.renamings) {
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
    if (way == Way::NoReplace) {
        EXPECT_EQ(after.size(), before.size());
    }
}

class RenumberKillTest : public testing::TestWithParam<Way> {};

INSTANTIATE_TEST_SUITE_P(Ways, RenumberKillTest, testing::Values(Way::NoReplace, Way::HardLinks),
                         [](const testing::TestParamInfo<Way>& info) {
                             return NameOf(info.param);
                         });

// Passes alternate their word, as the Install command's two passes do, each killed at a random
// point of its run; later passes also meet the collisions that half-done ones leave.
TEST_P(RenumberKillTest, EveryFileKeepsItsOldOrNewNameWithItsBytes) {
    TempDir dir;
    const char* extensions[] = {".ivb", ".bmp", ".logo.ivb", ""};
    for (int i = 0; i < kFiles; ++i) {
        const std::string name = "pic" + std::to_string(i) + extensions[i % 4];
        dir.file(name, name);
    }
    const std::string folder = dir.str() + "/";

    // Uninterrupted passes here tell how long one takes on this machine; the quickest counts,
    // as others may be slowed by the machine's load. Kills fall at random within that time,
    // and within ever less of it while passes end before their kill.
    auto passTime = Clock::duration::max();
    for (const char* word : {"file", "armpatch", "file"}) {
        const auto start = Clock::now();
        RenumberFolder(folder, word, [](const std::string&, const std::string&) { return true; });
        passTime = std::min(passTime, Clock::now() - start);
    }
    long killWithin = std::chrono::duration_cast<std::chrono::microseconds>(passTime).count();

    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    Contents before = FolderContents(dir.path());
    int status = 0;
    int kills = 0;
    for (int run = 0; kills < kKillsPerWay && run < 4 * kKillsPerWay; ++run) {
        const std::string word = run % 2 == 0 ? "armpatch" : "file";
        const auto plan =
            PlanNumberedRenames("", platform::ListFiles(folder, "*.*"), word, Placement::Prefix);
        const pid_t child = StartPass(folder, word, GetParam());
        if (child < 0)
            GTEST_SKIP() << "cannot start a pass in a child process under these conditions here";
        const long delay = std::uniform_int_distribution<long>(0, killWithin)(random);
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        if (WIFSIGNALED(status)) {
            ++kills;
        } else {
            ASSERT_EQ(WEXITSTATUS(status), 0);
            killWithin = std::max(1L, killWithin / 2);
        }

        const Contents after = FolderContents(dir.path());
        ExpectEveryFileUnderItsOldOrNewName(before, plan, after, GetParam());
        if (HasFailure())
            return;
        before = after;
    }
    EXPECT_EQ(kills, kKillsPerWay) << "passes ended before their kill";
}

} // namespace
