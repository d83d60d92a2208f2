#include "InstallFixture.h"
#include "tessaly/install/ShellFileRequest.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using platform::BoxIcon;

// Two Tessalys on one game: while the first changes the armpatch folder, the second's Install or
// Undo (Defaults shares Install's lock) changes nothing and says that the folder is busy; once the
// first has ended, the second goes ahead, and no lock file is left in the game folder.
TEST_F(InstallTest, SecondTessalyOnTheSameGameNeverInterleaves) {
    list({source("a.ivb", "a"), source("b.ivb", "b")});
    int atCopy[2], goOn[2];
    ASSERT_TRUE(pipe(atCopy) == 0 && pipe(goOn) == 0);
    // The first stops before each of its copies until the test lets it go on.
    SetCopyCancel([&](const ShellFileRequest&) {
        char byte = 1;
        return write(atCopy[1], &byte, 1) != 1 || read(goOn[0], &byte, 1) < 0;
    });
    const pid_t first = fork();
    if (first == 0) {
        close(goOn[1]);
        window().cmdInstall_Click();
        _exit(boxes() == std::vector{InstallComplete()} ? 0 : 1);
    }
    SetCopyCancel({});
    close(goOn[0]);
    char byte = 0;
    ASSERT_EQ(read(atCopy[0], &byte, 1), 1);
    const Contents meanwhile = armpatchFolder();

    window().cmdInstall_Click();
    window().mnuUndo_Click();

    EXPECT_EQ(armpatchFolder(), meanwhile);
    const platform::BoxRequest busy = Box("Another Tessaly is changing the folder " +
                                              armpatchDir() + ". Try again once it has finished.",
                                          BoxIcon::Warning);
    EXPECT_EQ(boxes(), (std::vector{busy, busy}));
    close(goOn[1]);
    int status = 0;
    ASSERT_EQ(waitpid(first, &status, 0), first);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    for (const int end : atCopy)
        close(end);

    boxes().clear();
    window().cmdInstall_Click();
    EXPECT_EQ(boxes(), std::vector{InstallComplete()});
    for (const auto& entry : std::filesystem::directory_iterator(game.path()))
        EXPECT_TRUE(entry.path().filename() == "Ironvale.exe" || entry.path().filename() == "data")
            << "left behind: " << entry.path();
}

} // namespace
