#include "InstallFixture.h"
#include "support/FolderContents.h"
#include "support/KilledAtCall.h"
#include "support/ThreadConditions.h"
#include "tessaly/install/SetAside.h"
#include "tessaly/install/UndoJournal.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using platform::BoxIcon;

// Set-ups where the trash will not take the old armpatch folder. Each runs in a child process of
// its own, with a mount table or a user of its own, before the window is made; false when it
// cannot be had here.
struct Places {
    fs::path game;
    std::vector<fs::path> readable; // the kit and the user's pictures
    fs::path elsewhere;             // a folder of the test's, for another disk or home
    std::function<void()> layOutGame;
};

struct Refusal {
    const char* name;
    bool (*setUp)(const Places& places);
    bool setAside; // else nothing can move the folder, and the command stops
};

bool MountDisk(const fs::path& at) {
    fs::create_directories(at);
    return mount("tessaly-test", at.c_str(), "tmpfs", 0, nullptr) == 0;
}

// The game on a disk of its own, whose trash folder's place is taken by a plain file: the
// user's home trash lies on another disk, where a folder cannot be renamed to.
bool GameOnADiskWithoutATrash(const Places& places) {
    if (!OwnMountTable() || !MountDisk(places.game))
        return false;
    places.layOutGame();
    std::ofstream(places.game / (".Trash-" + std::to_string(getuid()))) << "not a folder";
    return true;
}

// The user's data folder, where the home trash lies, may not be written.
bool HomeThatIsReadOnly(const Places&) {
    const char* home = std::getenv("XDG_DATA_HOME");
    fs::remove_all(TrashFolder());
    return OwnMountTable() && mount(home, home, nullptr, MS_BIND, nullptr) == 0 &&
           mount(nullptr, home, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

// As a user, whose data/ folder belongs to another and may not be changed, while its armpatch
// folder and the pictures in it may.
bool DataReadOnlyArmpatchWritable(const Places& places) {
    constexpr unsigned kNobody = 65534;
    const fs::path home = places.elsewhere / "home";
    fs::create_directories(home);
    if (geteuid() == 0 && chown(home.c_str(), kNobody, kNobody) != 0)
        return false;
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    setenv("XDG_STATE_HOME", (home / "state").c_str(), 1);
    std::vector<fs::path> open = places.readable;
    open.insert(open.end(), {places.elsewhere, places.game, places.game / "data" / "armpatch"});
    for (const auto& picture : fs::directory_iterator(open.back()))
        open.push_back(picture.path());
    for (const fs::path& path : open)
        fs::permissions(path, fs::perms::all);
    fs::permissions(places.game / "data",
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    return ActAsNobody() && geteuid() != 0;
}

// data/armpatch is a link to the pictures on another disk.
bool ArmpatchLinkedToAnotherDisk(const Places& places) {
    const fs::path disk = places.elsewhere / "disk";
    if (!OwnMountTable() || !MountDisk(disk))
        return false;
    const fs::path armpatch = places.game / "data" / "armpatch";
    fs::copy(armpatch, disk / "armpatch");
    fs::remove_all(armpatch);
    fs::create_directory_symlink(disk / "armpatch", armpatch);
    return true;
}

class TrashRefusals : public InstallTest,
                      public testing::WithParamInterface<std::tuple<Refusal, ArmpatchCommand>> {
protected:
    const Refusal& refusal() const { return std::get<0>(GetParam()); }
    bool installs() const { return std::get<1>(GetParam()) == ArmpatchCommand::Install; }

    std::string folder() const { return game.str() + "/data/armpatch"; }

    // The boxes after Defaults' question.
    std::vector<platform::BoxRequest> told() {
        return {boxes().begin() + (installs() ? 0 : 1), boxes().end()};
    }

    // Once, a box says where the old pictures went; then the new ones are all in.
    void checkSetAside() {
        const std::vector<std::string> aside = SetAsideFolders(folder());
        ASSERT_EQ(aside.size(), 1U);
        EXPECT_EQ(FolderContents(aside[0] + "/"), oldPictures);
        EXPECT_EQ(told(), (std::vector{Box("The trash could not take the folder " + folder() +
                                               ". Its pictures are kept in " + aside[0] + ".",
                                           BoxIcon::Information),
                                       installs() ? InstallComplete()
                                                  : Box("Armpatch files restored to defaults "
                                                        "provided by Ironvale",
                                                        BoxIcon::Information)}));
        const Contents installed = {{"armpatch1.ivb", "a"}, {"armpatch2.ivb", "b"}};
        EXPECT_EQ(armpatchFolder(),
                  installs() ? installed : FolderContents(kit.path() / "armpatch"));
    }

    void checkStopped() {
        EXPECT_TRUE(SetAsideFolders(folder()).empty());
        EXPECT_EQ(armpatchFolder(), oldPictures);
        EXPECT_EQ(told(), std::vector{Box("The folder " + folder() +
                                              " could not be moved to the trash or set aside: "
                                              "Permission denied. Nothing has been changed.",
                                          BoxIcon::Critical)});
        EXPECT_TRUE(fakes.sound.played.empty());
    }

    TempDir elsewhere;
};

// Whatever refuses the old pictures, each of them is afterwards, byte for byte, in a folder set
// aside or still in place; and when the new ones come in, nothing of the old is replaced.
TEST_P(TrashRefusals, KeepEveryOldPicture) {
    constexpr int kNotHere = 77;
    list({source("a.ivb", "a"), source("b.ivb", "b")});
    // A child that is never killed, which prints its own failures.
    const std::optional<WatchedChild> child = RunKilledAtCall({}, INT_MAX, [&] {
        if (!refusal().setUp({game.path(), {kit.path(), sources.path()}, elsewhere.path(), [this] {
                                  layOutGame();
                              }}))
            _exit(kNotHere);
        if (installs())
            window().cmdInstall_Click();
        else
            window().cmdDefaults_Click();
        const std::set<std::string> kept =
            BytesBelow({game.path(), TrashFolder(), elsewhere.path()});
        for (const auto& [name, bytes] : oldPictures)
            EXPECT_TRUE(kept.contains(bytes)) << "lost " << name;
        if (refusal().setAside)
            checkSetAside();
        else
            checkStopped();
        EXPECT_EQ(window().cursor().shape(), Qt::ArrowCursor);
        std::fflush(nullptr);
        _exit(HasFailure() ? 1 : 0);
    });
    if (!child || (WIFEXITED(child->status) && WEXITSTATUS(child->status) == kNotHere))
        GTEST_SKIP() << "the set-up cannot be had here";
    EXPECT_TRUE(WIFEXITED(child->status) && WEXITSTATUS(child->status) == 0);
}

INSTANTIATE_TEST_SUITE_P(
    SetUps, TrashRefusals,
    testing::Combine(
        testing::Values(Refusal{"GameOnADiskWithoutATrash", GameOnADiskWithoutATrash, true},
                        Refusal{"HomeThatIsReadOnly", HomeThatIsReadOnly, true},
                        Refusal{"DataReadOnlyArmpatchWritable", DataReadOnlyArmpatchWritable,
                                false},
                        Refusal{"ArmpatchLinkedToAnotherDisk", ArmpatchLinkedToAnotherDisk, true}),
        testing::Values(ArmpatchCommand::Install, ArmpatchCommand::Defaults)),
    [](const testing::TestParamInfo<std::tuple<Refusal, ArmpatchCommand>>& info) {
        return std::string(std::get<0>(info.param).name) + NameOf(std::get<1>(info.param));
    });

} // namespace
