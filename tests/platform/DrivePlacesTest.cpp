#include "platform/DrivePlaces.h"

#include "platform/MountDrives.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using platform::Drive;
using platform::DriveKind;
using Roots = std::vector<std::string>;

namespace {

constexpr DriveKind Fixed = DriveKind::Fixed;
constexpr DriveKind Removable = DriveKind::Removable;

Roots RootsOf(const std::vector<Drive>& drives) {
    Roots roots;
    for (const Drive& drive : drives)
        roots.push_back(drive.root);
    return roots;
}

struct Case {
    const char* what;
    std::vector<Drive> drives; // "/" on 8:1 comes first in each case
    Roots shown;
};

// Every folder may be opened but those named "locked" and "file".
bool CanOpen(const std::string& folder) {
    return !folder.ends_with("/locked") && !folder.ends_with("/file");
}

TEST(DrivePlaces, ShowsWhatAPersonBrowses) {
    const Case cases[] = {
        {"home folders of their own",
         {{"/home", Fixed, "8:2"}, {"/srv/ann", Fixed, "8:3"}, {"/home/bob", Fixed, "8:4"}},
         {"/home", "/srv/ann", "/home/bob"}},
        {"home on the root's file system, as a subvolume",
         {{"/home", Fixed, "8:1"}, {"/srv/ann", Fixed, "8:1"}},
         {"/home", "/srv/ann"}},
        {"mounts for media and by hand, of any kind",
         {{"/media/usb", Removable, "8:17"},
          {"/mnt/share", DriveKind::Network, "0:60"},
          {"/mnt/scratch", DriveKind::Ram, "0:61"},
          {"/run/media/ann/CARD", Removable, "179:9"},
          {"/mnt/locked", DriveKind::Network, "0:62"}},
         {"/media/usb", "/mnt/share", "/mnt/scratch", "/run/media/ann/CARD", "/mnt/locked"}},
        {"other disks the user may open",
         {{"/data", Fixed, "8:18"},
          {"/srv/locked", Fixed, "8:19"},
          {"/srv/dvd", DriveKind::Optical, "11:0"},
          {"/srv/stick", Removable, "8:33"},
          {"/etc/hosts/file", Fixed, "254:1"}},
         {"/data", "/srv/dvd", "/srv/stick"}},
        {"other mounts that are no disk",
         {{"/srv/nfs", DriveKind::Network, "0:63"},
          {"/tmp", DriveKind::Ram, "0:64"},
          {"/srv/zfs", DriveKind::Unknown, "0:65"},
          {"/srv/overlay", DriveKind::Pseudo, "0:66"}},
         {}},
        {"the system's own trees, even on disks",
         {{"/boot", Fixed, "8:5"},
          {"/boot/efi", Fixed, "8:6"},
          {"/bootmgr", Fixed, "8:7"},
          {"/dev", DriveKind::Pseudo, "0:5"},
          {"/dev/shm", DriveKind::Ram, "0:23"},
          {"/proc", DriveKind::Pseudo, "0:21"},
          {"/sys/fs/cgroup", DriveKind::Ram, "0:28"},
          {"/run", DriveKind::Ram, "0:24"},
          {"/run/user/1000", DriveKind::Ram, "0:25"},
          {"/snap/core/1234", Removable, "7:1"},
          {"/var/lib/docker/volumes/x", Fixed, "8:8"}},
         {}},
        {"names that only begin like a system tree",
         {{"/devices", Fixed, "8:9"},
          {"/process", Fixed, "8:10"},
          {"/system", Fixed, "8:11"},
          {"/runner", Fixed, "8:12"},
          {"/snapshots", Fixed, "8:13"},
          {"/var/library", Fixed, "8:14"},
          {"/mnt2", Fixed, "8:15"}},
         {"/devices", "/process", "/system", "/runner", "/snapshots", "/var/library", "/mnt2"}},
        {"a file system already listed, mounted again",
         {{"/media/usb", Removable, "8:17"},
          {"/mnt/usb-again", Removable, "8:17"},
          {"/srv/root-again", Fixed, "8:1"},
          {"/srv/data", Fixed, "8:18"},
          {"/srv/data/again", Fixed, "8:18"}},
         {"/media/usb", "/srv/data"}},
        {"drives of unknown device are never the same",
         {{"/media/a", Removable, ""}, {"/media/b", Removable, ""}},
         {"/media/a", "/media/b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Drive> drives{{"/", Fixed, "8:1"}};
        drives.insert(drives.end(), c.drives.begin(), c.drives.end());
        Roots shown{"/"};
        shown.insert(shown.end(), c.shown.begin(), c.shown.end());

        EXPECT_EQ(RootsOf(platform::DrivePlaces(drives, "/srv/ann", CanOpen)), shown);
    }
}

// In a container or a live session the root is an overlay or a RAM disk; it is listed all the same.
TEST(DrivePlaces, ListsTheRootWhateverItIs) {
    for (const DriveKind kind : {DriveKind::Unknown, DriveKind::Pseudo, DriveKind::Ram}) {
        const std::vector<Drive> drives{{"/", kind}};
        EXPECT_EQ(RootsOf(platform::DrivePlaces(drives, "", CanOpen)), Roots{"/"});
    }
}

// Only disks are asked whether they open: a network share that no longer answers would stall.
TEST(DrivePlaces, AsksOnlyAboutDisksOutsideTheUsualPlaces) {
    const std::vector<Drive> drives{{"/", Fixed, "8:1"},
                                    {"/home", Fixed, "8:2"},
                                    {"/media/usb", Removable, "8:17"},
                                    {"/mnt/nfs", DriveKind::Network, "0:60"},
                                    {"/srv/nfs", DriveKind::Network, "0:61"},
                                    {"/srv/data", Fixed, "8:18"},
                                    {"/proc", DriveKind::Pseudo, "0:21"}};
    Roots asked;
    platform::DrivePlaces(drives, "", [&](const std::string& folder) {
        asked.push_back(folder);
        return true;
    });
    EXPECT_EQ(asked, Roots{"/srv/data"});
}

TEST(UserDrivePlaces, OpensOnlyFoldersThatCanBeListed) {
    const TempDir disks;
    const std::string folder = disks.folder("disk").string();
    const std::string file = disks.file("file").string();
    const std::vector<Drive> drives{{"/", Fixed, "8:1"},
                                    {folder, Fixed, "8:2"},
                                    {file, Fixed, "8:3"},
                                    {disks.str() + "/gone", Fixed, "8:4"}};
    EXPECT_EQ(RootsOf(platform::UserDrivePlaces(drives)), (Roots{"/", folder}));
}

TEST(UserDrivePlaces, ThisMachineListsTheRootFirstAndNoSystemTree) {
    const auto places = platform::UserDrivePlaces(platform::MountDrives().drives());
    ASSERT_FALSE(places.empty());
    EXPECT_EQ(places.front().root, "/");
    for (const Drive& place : places) {
        for (const std::string tree : {"/proc", "/sys", "/dev"})
            EXPECT_FALSE(place.root == tree || place.root.starts_with(tree + "/")) << place.root;
    }
}

} // namespace
