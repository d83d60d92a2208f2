#include "RenameWindow.h"
#include "support/KilledAtCall.h"
#include "tallyfold/Journal.h"

#include <QLineEdit>
#include <climits>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <sys/syscall.h>
#include <sys/wait.h>

namespace {

constexpr int kKills = 120;

// The calls by which a renaming changes a folder or a file; each kill falls just before one of
// them, so every step of the journal and every rename can be the one that dies.
const std::vector<long> kChanges{SYS_write,  SYS_pwrite64, SYS_fsync,     SYS_fdatasync,
                                 SYS_rename, SYS_renameat, SYS_renameat2, SYS_link,
                                 SYS_linkat, SYS_unlink,   SYS_unlinkat};

// A renaming killed at any of its changes is taken back by an undo in another process, as
// after a crash or a reboot: every file has its old name with its bytes, and the batch has left
// the journal. The runs take turns between two labels: "pic" before the number shifts the
// "pic" files down by one, each onto the name that the one before it left, and numbers the
// others onto free names but one, which a sub-folder holds; no label after the number gives
// every file a free name.
TEST_F(RenameWindow, AnUndoAfterAKillAnywhereBringsBackEveryOldName) {
    std::vector<std::string> files = {"pic150.txt/"};
    for (int n = 2; n <= 101; ++n)
        files.push_back("pic" + std::to_string(n) + ".jpg");
    for (int n = 0; n < 100; ++n)
        files.push_back("zeta" + std::to_string(n) + ".txt");
    makeFiles(files);
    const auto original = contents();
    chooseFolder(folder.native());
    const auto rename = [this](int run) {
        return [this, run] {
            window.txtName->setText(run % 2 == 0 ? "pic" : "");
            run % 2 == 0 ? window.optPrefix_Click() : window.optSuffix_Click();
            window.cmdRename_Click();
        };
    };
    const auto undo = [&] {
        boxes.shown.clear();
        window.cmdUndo_Click();
        EXPECT_EQ(contents(), original);
        EXPECT_NE(boxes.shown.back().icon, platform::BoxIcon::Warning) << boxes.shown.back().text;
        EXPECT_EQ(tallyfold::RecordedBatches(tallyfold::JournalFolder(),
                                             tallyfold::BatchFolderKey(folder.native()))
                      .size(),
                  0U);
    };

    int changes[2];
    for (int run = 0; run < 2; ++run) {
        const std::optional<WatchedChild> whole = RunKilledAtCall(kChanges, INT_MAX, rename(run));
        if (!whole)
            GTEST_SKIP() << "the system calls of a child process cannot be watched here";
        ASSERT_TRUE(WIFEXITED(whole->status) && WEXITSTATUS(whole->status) == 0);
        changes[run] = whole->calls;
        undo();
    }

    // Random, but the same on every run of the test.
    std::mt19937 random(18);
    int kills = 0;
    for (int run = 0; run < 2 * kKills && kills < kKills && !HasFailure(); ++run) {
        const int moment = std::uniform_int_distribution<int>(1, changes[run % 2])(random);
        const std::optional<WatchedChild> killed = RunKilledAtCall(kChanges, moment, rename(run));
        ASSERT_TRUE(killed);
        kills += WIFSIGNALED(killed->status) ? 1 : 0;
        SCOPED_TRACE("killed at change " + std::to_string(moment) + " of run " +
                     std::to_string(run));
        undo();
    }
    EXPECT_EQ(kills, kKills);
}

} // namespace
