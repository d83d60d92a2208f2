#include "InstallFixture.h"
#include "support/FolderContents.h"
#include "support/KilledAtCall.h"
#include "support/ThreadConditions.h"
#include "tessaly/install/SetAside.h"
#include "tessaly/install/UndoJournal.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using platform::BoxIcon;

class TrashRefusals;

// A set-up where the trash will not take the old armpatch folder. Each is made in a child process
// of its own, with a mount table or a user of its own, before the window; false when it cannot be
// had here.
struct Refusal {
    const char* name;
    bool (TrashRefusals::*setUp)();
    bool setAside; // else nothing can move the folder, and the command stops
};

bool MountDisk(const fs::path& at) {
    fs::create_directories(at);
    return mount("tessaly-test", at.c_str(), "tmpfs", 0, nullptr) == 0;
}

class TrashRefusals : public InstallTest,
                      public testing::WithParamInterface<std::tuple<Refusal, ArmpatchCommand>> {
public:
    // The game on a disk of its own, whose trash folder's place is taken by a plain file: the
    // user's home trash lies on another disk, where a folder cannot be renamed to.
    bool GameOnADiskWithoutATrash() {
        if (!OwnMountTable() || !MountDisk(game.path()))
            return false;
        layOutGame();
        std::ofstream(game.path() / (".Trash-" + std::to_string(getuid()))) << "not a folder";
        return true;
    }

    // The user's data folder, where the home trash lies, may not be written.
    bool HomeThatIsReadOnly() {
        const char* home = std::getenv("XDG_DATA_HOME");
        fs::remove_all(TrashFolder());
        return OwnMountTable() && mount(home, home, nullptr, MS_BIND, nullptr) == 0 &&
               mount(nullptr, home, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }

    // As a user, whose data/ folder belongs to another and may not be changed, while its
    // armpatch folder and the pictures in it may.
    bool DataReadOnlyArmpatchWritable() {
        constexpr unsigned kNobody = 65534;
        const fs::path home = elsewhere.path() / "home";
        fs::create_directories(home);
        if (geteuid() == 0 && chown(home.c_str(), kNobody, kNobody) != 0)
            return false;
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
        setenv("XDG_STATE_HOME", (home / "state").c_str(), 1);
        for (const fs::path& path : {kit.path(), sources.path(), elsewhere.path(), game.path()})
            fs::permissions(path, fs::perms::all);
        for (const auto& entry : fs::recursive_directory_iterator(game.path()))
            fs::permissions(entry.path(), fs::perms::all);
        fs::permissions(game.path() / "data",
                        fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
        return ActAsNobody() && geteuid() != 0;
    }

    // data/armpatch is a link to the pictures on another disk.
    bool ArmpatchLinkedToAnotherDisk() {
        const fs::path disk = elsewhere.path() / "disk";
        if (!OwnMountTable() || !MountDisk(disk))
            return false;
        const fs::path armpatch = game.path() / "data" / "armpatch";
        fs::copy(armpatch, disk / "armpatch");
        fs::remove_all(armpatch);
        fs::create_directory_symlink(disk / "armpatch", armpatch);
        return true;
    }

protected:
    TempDir elsewhere;
};

// Whatever refuses the old pictures, each of them is afterwards, byte for byte, in a folder set
// aside or still in place; and when the new ones come in, nothing of the old is replaced.
TEST_P(TrashRefusals, KeepEveryOldPicture) {
    constexpr int kNotHere = 77;
    const auto [refusal, command] = GetParam();
    const bool installs = command == ArmpatchCommand::Install;
    const std::string folder = game.str() + "/data/armpatch";
    list({source("a.ivb", "a"), source("b.ivb", "b")});
    // A child that is never killed, which prints its own failures.
    const std::optional<WatchedChild> child = RunKilledAtCall({}, INT_MAX, [&] {
        if (!(this->*refusal.setUp)())
            _exit(kNotHere);
        installs ? window().cmdInstall_Click() : window().cmdDefaults_Click();
        const std::set<std::string> kept =
            BytesBelow({game.path(), TrashFolder(), elsewhere.path()});
        for (const auto& [name, bytes] : oldPictures)
            EXPECT_TRUE(kept.contains(bytes)) << "lost " << name;
        const std::vector told(boxes().begin() + (installs ? 0 : 1), boxes().end());
        const std::vector<std::string> aside = SetAsideFolders(folder);
        if (refusal.setAside && aside.size() == 1 && told.size() == 2) {
            // One box says where the old pictures went, one that the new ones are all in.
            EXPECT_NE(told[0].text.find(aside[0]), std::string::npos) << told[0].text;
            const Contents installed = {{"armpatch1.ivb", "a"}, {"armpatch2.ivb", "b"}};
            EXPECT_EQ(armpatchFolder(),
                      installs ? installed : FolderContents(kit.path() / "armpatch"));
        } else {
            EXPECT_FALSE(refusal.setAside)
                << aside.size() << " set aside, " << told.size() << " boxes";
            EXPECT_TRUE(aside.empty());
            EXPECT_EQ(armpatchFolder(), oldPictures);
            EXPECT_EQ(told, std::vector{Box("The folder " + folder +
                                                " could not be moved to the trash or set aside: "
                                                "Permission denied. Nothing has been changed.",
                                            BoxIcon::Critical)});
            EXPECT_TRUE(fakes.sound.played.empty());
        }
        std::fflush(nullptr);
        _exit(HasFailure() ? 1 : 0);
    });
    if (!child || (WIFEXITED(child->status) && WEXITSTATUS(child->status) == kNotHere))
        GTEST_SKIP() << "the set-up cannot be had here";
    EXPECT_TRUE(WIFEXITED(child->status) && WEXITSTATUS(child->status) == 0);
}

INSTANTIATE_TEST_SUITE_P(
    SetUps, TrashRefusals,
    testing::Combine(testing::Values(Refusal{"GameOnADiskWithoutATrash",
                                             &TrashRefusals::GameOnADiskWithoutATrash, true},
                                     Refusal{"HomeThatIsReadOnly",
                                             &TrashRefusals::HomeThatIsReadOnly, true},
                                     Refusal{"DataReadOnlyArmpatchWritable",
                                             &TrashRefusals::DataReadOnlyArmpatchWritable, false},
                                     Refusal{"ArmpatchLinkedToAnotherDisk",
                                             &TrashRefusals::ArmpatchLinkedToAnotherDisk, true}),
                     testing::Values(ArmpatchCommand::Install, ArmpatchCommand::Defaults)),
    [](const testing::TestParamInfo<std::tuple<Refusal, ArmpatchCommand>>& info) {
        return std::string(std::get<0>(info.param).name) + NameOf(std::get<1>(info.param));
    });

} // namespace
