#include "InstallFixture.h"
#include "platform/FileDescriptor.h"
#include "support/FolderContents.h"
#include "support/KilledAtCall.h"

#include <array>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <set>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kKills = 210;
constexpr int kUndoKills = 120;
constexpr int kFairShare = 40;
constexpr int kSources = 4;
// Fewer than the fixture's sixteen, as each run lays out its own and the disk may be busy.
constexpr int kOldPictures = 4;

enum Phase { BeforeCopies, Copies, FirstPass, SecondPass, Phases };

const char* const kPhaseNames[Phases] = {"before the copies", "during the copies",
                                         "in the first pass", "in the second pass"};

// The calls by which the install changes what a folder or a file holds; each kill falls just
// before one of them, so every step of every copy and every rename can be the one that dies.
const std::vector<long> kChanges{SYS_write, SYS_pwrite64, SYS_fsync,  SYS_fdatasync, SYS_ftruncate,
                                 SYS_mkdir, SYS_mkdirat,  SYS_rename, SYS_renameat,  SYS_renameat2,
                                 SYS_link,  SYS_linkat,   SYS_unlink, SYS_unlinkat,  SYS_rmdir};

class InstallKillTest : public InstallTest {
protected:
    InstallKillTest() {
        for (int i = 0; i < kSources; ++i) {
            const std::string name = "pic" + std::to_string(i) + (i % 3 == 0 ? ".bmp" : ".ivb");
            paths.push_back(source(name, name + std::string(20000 + 4000 * i, 'x')));
            pictures.insert(ReadBytes(paths.back()));
        }
        list(paths);
    }

    // A fresh armpatch folder of old pictures that no earlier run had, an empty trash, and no
    // journal, so that every run makes the same changes.
    void layOutOldPictures(int run) {
        EmptyTrash();
        fs::remove_all(std::getenv("XDG_STATE_HOME"));
        fs::remove_all(armpatchDir());
        oldPictures.clear();
        for (int n = 1; n <= kOldPictures; ++n) {
            const std::string name = "armpatch" + std::to_string(n) + ".ivb";
            oldPictures[name] = "old " + std::to_string(n) + " of run " + std::to_string(run);
            game.file("data/armpatch/" + name, oldPictures[name]);
        }
    }

    // Runs an install in a child process killed just before its change number `moment`, and
    // checks that it lost nothing; the part of the install where the kill fell, or Phases
    // when the install ended first.
    Phase killAt(int moment) {
        layOutOldPictures(++runs);
        const std::optional<WatchedChild> child =
            RunKilledAtCall(kChanges, moment, [this] { window().cmdInstall_Click(); });
        const Phase phase = checkNothingLost();
        if (!child || !WIFSIGNALED(child->status))
            return Phases;
        ++kills;
        ++killedIn[phase];
        return phase;
    }

    // Which part of the install the folder shows, after checking that nothing is lost: the
    // sources are as they were, the old pictures are in their folder or the trash, every
    // picture in the folder is whole, and those copied so far are all there.
    Phase checkNothingLost() {
        for (const std::string& path : paths)
            EXPECT_TRUE(pictures.contains(ReadBytes(path))) << path;
        std::error_code error;
        if (!fs::exists(armpatchDir(), error)) {
            EXPECT_TRUE(InTrash(oldPictures));
            return BeforeCopies;
        }
        // A copy to a free name bears no name before its own, where the file system offers
        // unnamed files; elsewhere it passes through a hidden temporary one.
        Contents shown;
        for (const auto& [name, bytes] : armpatchFolder()) {
            EXPECT_TRUE(name.front() != '.' || !unnamedFiles) << "left behind: " << name;
            if (name.front() != '.')
                shown[name] = bytes;
        }
        if (shown == oldPictures)
            return BeforeCopies;
        EXPECT_TRUE(InTrash(oldPictures));
        std::set<std::string> copied;
        bool fileNames = false;
        bool armpatchNames = false;
        for (const auto& [name, bytes] : shown) {
            EXPECT_TRUE(pictures.contains(bytes)) << "part of a picture under " << name;
            copied.insert(bytes);
            fileNames = fileNames || name.starts_with("file");
            armpatchNames = armpatchNames || name.starts_with("armpatch");
        }
        for (int i = 0; i < static_cast<int>(copied.size()); ++i)
            EXPECT_TRUE(copied.contains(ReadBytes(paths[i]))) << "lost " << paths[i];
        if (armpatchNames)
            return SecondPass;
        return fileNames ? FirstPass : Copies;
    }

    std::vector<std::string> paths;
    std::set<std::string> pictures;
    const bool unnamedFiles =
        platform::FileDescriptor(::open(game.str().c_str(), O_TMPFILE | O_RDWR, 0600)).get() >= 0;
    int runs = 0;
    int kills = 0;
    std::array<int, Phases> killedIn{};
};

// A first round kills the install once at each of its changes in turn, which shows the part of
// the install each change belongs to; the other kills take the parts in turn, each at a random
// one of its changes, as the passes make far fewer changes than the copies.
TEST_F(InstallKillTest, NoPictureIsLostOrCutShort) {
    // The first install records the list in the settings; later ones find it there and make
    // fewer changes, so only they are counted.
    window().cmdInstall_Click();
    layOutOldPictures(0);
    const std::optional<WatchedChild> whole =
        RunKilledAtCall(kChanges, INT_MAX, [this] { window().cmdInstall_Click(); });
    if (!whole)
        GTEST_SKIP() << "the system calls of a child process cannot be watched here";
    ASSERT_TRUE(WIFEXITED(whole->status) && WEXITSTATUS(whole->status) == 0) << whole->status;

    std::array<std::vector<int>, Phases> changesIn;
    for (int moment = 1; moment <= whole->calls && !HasFailure(); ++moment)
        if (const Phase phase = killAt(moment); phase != Phases)
            changesIn[phase].push_back(moment);
    if (HasFailure())
        return;
    for (int phase = 0; phase < Phases; ++phase)
        ASSERT_FALSE(changesIn[phase].empty()) << "no change " << kPhaseNames[phase];

    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    for (int aim = 0; kills < kKills && runs < 2 * kKills && !HasFailure();
         aim = (aim + 1) % Phases) {
        const std::vector<int>& changes = changesIn[aim];
        killAt(changes[std::uniform_int_distribution<std::size_t>(0, changes.size() - 1)(random)]);
    }
    if (HasFailure())
        return;
    EXPECT_EQ(kills, kKills);
    for (int phase = 0; phase < Phases; ++phase)
        EXPECT_GE(killedIn[phase], kFairShare) << "kills " << kPhaseNames[phase];
}

// Install followed by Undo, killed at each of their changes in turn and then at random ones;
// after each kill a new start undoes what is left to undo. Whatever the moment, every old
// picture is somewhere on the disk, and after that start's undo the armpatch folder holds exactly
// the old pictures again, with no note left in the trash for an entry that has left it.
TEST_F(InstallKillTest, InstallThenUndoLosesNoPicture) {
    window().cmdInstall_Click();
    layOutOldPictures(0);
    const auto installThenUndo = [this] {
        window().cmdInstall_Click();
        window().mnuUndo_Click();
    };
    const std::optional<WatchedChild> whole = RunKilledAtCall(kChanges, INT_MAX, installThenUndo);
    if (!whole)
        GTEST_SKIP() << "the system calls of a child process cannot be watched here";
    ASSERT_TRUE(WIFEXITED(whole->status) && WEXITSTATUS(whole->status) == 0) << whole->status;
    EXPECT_EQ(armpatchFolder(), oldPictures) << "the undo ran to its end";

    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    int killed = 0;
    for (int run = 0; killed < kUndoKills && run < 2 * kUndoKills && !HasFailure(); ++run) {
        const int moment = run < whole->calls
                               ? run + 1
                               : std::uniform_int_distribution<int>(1, whole->calls)(random);
        SCOPED_TRACE("killed at change " + std::to_string(moment));
        layOutOldPictures(++runs);
        const std::optional<WatchedChild> child =
            RunKilledAtCall(kChanges, moment, installThenUndo);
        ASSERT_TRUE(child);
        killed += WIFSIGNALED(child->status) ? 1 : 0;
        const std::set<std::string> somewhere = BytesBelow({game.path(), TrashFolder()});
        for (const auto& [name, bytes] : oldPictures)
            EXPECT_TRUE(somewhere.contains(bytes)) << "lost " << name;

        Main restarted(fakes.services());
        restarted.Ironvaledirectory = game.str() + "/";
        restarted.mnuUndo_Click();
        EXPECT_EQ(armpatchFolder(), oldPictures);
        EXPECT_EQ(StaleTrashNotes(), std::vector<std::string>{});
        boxes().clear();
    }
    EXPECT_GE(killed, kUndoKills);
}

} // namespace
