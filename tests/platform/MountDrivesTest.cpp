#include "platform/MountDrives.h"

#include "support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using platform::Drive;
using platform::DriveKind;
using platform::MountEntry;

namespace {

// ---- Reading the table ------------------------------------------------------------------------

TEST(ParseMountInfo, ReadsEachWellFormedLineAndDecodesEscapes) {
    const std::string text =
        "22 27 0:21 / /proc rw,relatime shared:5 - proc proc rw\n"
        "27 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "60 27 8:17 / /media/user/My\\040Disk rw shared:30 master:2 - vfat /dev/sdb1 rw\n"
        "61 27 0:55 /sub /mnt/back\\134slash\\011tab\\012line rw - cifs //server/My\\040Share rw\n"
        "not a mount line\n"
        "\n"
        "62 27 0:56 / /mnt/no-source rw - tmpfs\n"
        "63 27 0:57 / /mnt/no-separator rw tmpfs tmpfs rw\n"
        "64 27 x:1 / /mnt/bad-device rw - ext4 /dev/sda1 rw\n"
        "65 27 0:58 / /mnt/odd\\04escape\\400 rw - tmpfs tmpfs rw";
    const std::vector<MountEntry> expected = {
        {22, 27, 0, 21, "/proc", "proc", "proc"},
        {27, 1, 8, 1, "/", "ext4", "/dev/sda1"},
        {60, 27, 8, 17, "/media/user/My Disk", "vfat", "/dev/sdb1"},
        {61, 27, 0, 55, "/mnt/back\\slash\ttab\nline", "cifs", "//server/My Share"},
        {65, 27, 0, 58, "/mnt/odd\\04escape\\400", "tmpfs", "tmpfs"},
    };
    EXPECT_EQ(platform::ParseMountInfo(text), expected);
}

// ---- Judging each mount -----------------------------------------------------------------------

// The parts of /sys that tell a mount's device: dev/block/MAJOR:MINOR and class/block/NAME
// lead to the device's folder, a partition lies inside its disk's folder, a mapped device
// lists what it is made of under slaves/.
class FakeSysfs {
public:
    void disk(const std::string& name, const std::string& number, const char* removable) {
        dir_.folder("block/" + name);
        if (removable)
            dir_.file("block/" + name + "/removable", std::string(removable) + "\n");
        index(name, name, number);
    }
    void cardType(const std::string& disk, const std::string& type) {
        dir_.file("block/" + disk + "/device/type", type + "\n");
    }
    void partition(const std::string& disk, const std::string& name, const std::string& number) {
        dir_.file("block/" + disk + "/" + name + "/partition", "1\n");
        index(disk + "/" + name, name, number);
    }
    void mapped(const std::string& name, const std::string& number, const std::string& mapperName,
                const std::vector<std::string>& beneath) {
        disk(name, number, "0");
        dir_.file("block/" + name + "/dm/name", mapperName + "\n");
        const auto slaves = dir_.folder("block/" + name + "/slaves");
        for (const std::string& device : beneath)
            fs::create_directory_symlink("../../" + device, slaves / fs::path(device).filename());
    }
    const fs::path& root() const { return dir_.path(); }

private:
    void index(const std::string& folder, const std::string& name, const std::string& number) {
        fs::create_directories(dir_.path() / "dev/block");
        fs::create_directories(dir_.path() / "class/block");
        fs::create_directory_symlink("../../block/" + folder, dir_.path() / "dev/block" / number);
        fs::create_directory_symlink("../../block/" + folder, dir_.path() / "class/block" / name);
    }
    TempDir dir_;
};

class MountKindTest : public testing::Test {
protected:
    MountKindTest() {
        sysfs.disk("sda", "8:0", "0");
        sysfs.partition("sda", "sda1", "8:1");
        sysfs.partition("sda", "sda2", "8:2");
        sysfs.disk("sdb", "8:16", "1");
        sysfs.partition("sdb", "sdb1", "8:17");
        sysfs.disk("sdc", "8:32", nullptr);
        sysfs.disk("nvme0n1", "259:0", "0");
        sysfs.partition("nvme0n1", "nvme0n1p1", "259:1");
        sysfs.disk("mmcblk0", "179:0", "0");
        sysfs.cardType("mmcblk0", "MMC");
        sysfs.disk("mmcblk1", "179:8", "0");
        sysfs.cardType("mmcblk1", "SD");
        sysfs.partition("mmcblk1", "mmcblk1p1", "179:9");
        sysfs.disk("sr0", "11:0", "1");
        sysfs.disk("loop0", "7:0", "0");
        sysfs.disk("zram0", "252:0", "0");
        sysfs.mapped("dm-0", "253:0", "luks-root", {"sda/sda2"});
        sysfs.mapped("dm-1", "253:1", "usb-crypt", {"sdb/sdb1"});
        sysfs.mapped("dm-2", "253:2", "vg-spanning", {"dm-0", "nvme0n1/nvme0n1p1"});
        sysfs.mapped("dm-3", "253:3", "vg-with-usb", {"sda/sda1", "dm-1"});
    }
    FakeSysfs sysfs;
};

TEST_F(MountKindTest, JudgesByFileSystemTypeAndDevice) {
    struct Case {
        const char* fsType;
        const char* source;
        unsigned major, minor;
        DriveKind kind;
    };
    const Case cases[] = {
        {"ext4", "/dev/sda1", 8, 1, DriveKind::Fixed},
        {"xfs", "/dev/nvme0n1p1", 259, 1, DriveKind::Fixed},
        {"ext4", "/dev/sdc", 8, 32, DriveKind::Unknown}, // the disk does not say
        {"ext4", "/dev/sdz", 8, 99, DriveKind::Unknown}, // no such device
        {"vfat", "/dev/sdb1", 8, 17, DriveKind::Removable},
        {"ext4", "/dev/mmcblk0", 179, 0, DriveKind::Fixed},        // built-in memory
        {"exfat", "/dev/mmcblk1p1", 179, 9, DriveKind::Removable}, // SD card
        {"ext4", "/dev/mapper/luks-root", 253, 0, DriveKind::Fixed},
        {"ext4", "/dev/mapper/usb-crypt", 253, 1, DriveKind::Removable},
        {"ext4", "/dev/mapper/vg-spanning", 253, 2, DriveKind::Fixed},
        {"ext4", "/dev/mapper/vg-with-usb", 253, 3, DriveKind::Removable},
        // Btrfs and FUSE block mounts show an anonymous device number; the source tells.
        {"btrfs", "/dev/sda2", 0, 45, DriveKind::Fixed},
        {"btrfs", "/dev/mapper/luks-root", 0, 46, DriveKind::Fixed},
        {"fuseblk", "/dev/sdb1", 0, 50, DriveKind::Removable},
        {"zfs", "rpool/ROOT/debian", 0, 51, DriveKind::Unknown},
        {"squashfs", "/dev/loop0", 7, 0, DriveKind::Removable},
        {"ext4", "/dev/zram0", 252, 0, DriveKind::Ram},
        {"iso9660", "/dev/sr0", 11, 0, DriveKind::Optical},
        {"udf", "/dev/sr0", 11, 0, DriveKind::Optical},
        {"iso9660", "/dev/loop0", 7, 0, DriveKind::Optical},
        {"tmpfs", "tmpfs", 0, 30, DriveKind::Ram},
        {"ramfs", "ramfs", 0, 31, DriveKind::Ram},
        {"nfs", "server:/export", 0, 60, DriveKind::Network},
        {"nfs4", "server:/", 0, 61, DriveKind::Network},
        {"cifs", "//server/share", 0, 62, DriveKind::Network},
        {"fuse.sshfs", "me@host:", 0, 63, DriveKind::Network},
        {"proc", "proc", 0, 21, DriveKind::Pseudo},
        {"sysfs", "sysfs", 0, 22, DriveKind::Pseudo},
        {"cgroup2", "cgroup2", 0, 23, DriveKind::Pseudo},
        {"devtmpfs", "udev", 0, 5, DriveKind::Pseudo},
        {"overlay", "overlay", 0, 70, DriveKind::Pseudo},
        {"fuse.portal", "portal", 0, 71, DriveKind::Unknown},
    };
    for (const Case& c : cases) {
        const MountEntry mount{1, 0, c.major, c.minor, "/m", c.fsType, c.source};
        EXPECT_EQ(platform::MountKind(mount, sysfs.root()), c.kind)
            << c.fsType << " on " << c.source;
    }
}

// Whichever order the disks beneath are listed in, one removable disk makes the whole removable.
TEST(MountKind, AMappedDeviceIsAsRemovableAsAnyDiskBeneathIt) {
    for (const auto& [removable, fixed] : {std::pair{"sdx", "sdy"}, std::pair{"sdy", "sdx"}}) {
        FakeSysfs sysfs;
        sysfs.disk(removable, "8:0", "1");
        sysfs.disk(fixed, "8:16", "0");
        sysfs.mapped("dm-0", "253:0", "vg", {"sdx", "sdy"});
        const MountEntry mount{1, 0, 253, 0, "/m", "ext4", "/dev/mapper/vg"};
        EXPECT_EQ(platform::MountKind(mount, sysfs.root()), DriveKind::Removable)
            << removable << " removable";
    }
}

// ---- The drive list ---------------------------------------------------------------------------

std::vector<std::string> Roots(const std::vector<Drive>& drives) {
    std::vector<std::string> roots;
    for (const Drive& drive : drives)
        roots.push_back(drive.root);
    return roots;
}

TEST_F(MountKindTest, ListsTheRootFirstThenThePathsInOrder) {
    const std::string text = "40 27 8:17 / /media/usb rw - vfat /dev/sdb1 rw\n"
                             "41 27 8:2 / /home rw - ext4 /dev/sda2 rw\n"
                             "42 27 0:40 / /a\\040b rw - tmpfs tmpfs rw\n"
                             "43 45 0:41 / /a/b rw - tmpfs tmpfs rw\n"
                             "27 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                             "45 27 0:42 / /a rw - tmpfs tmpfs rw\n"
                             "22 27 0:21 / /proc rw - proc proc rw\n";
    const std::vector<Drive> expected = {
        {"/", DriveKind::Fixed, "8:1"},       {"/a", DriveKind::Ram, "0:42"},
        {"/a/b", DriveKind::Ram, "0:41"},     {"/a b", DriveKind::Ram, "0:40"},
        {"/home", DriveKind::Fixed, "8:2"},   {"/media/usb", DriveKind::Removable, "8:17"},
        {"/proc", DriveKind::Pseudo, "0:21"},
    };
    EXPECT_EQ(platform::DrivesFromMountInfo(text, sysfs.root()), expected);
}

TEST_F(MountKindTest, AMountOnTopOfAnotherHidesIt) {
    const std::string text = "27 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                             "50 27 8:2 / /data rw - ext4 /dev/sda2 rw\n"
                             "51 50 0:40 / /data rw - tmpfs tmpfs rw\n"
                             "52 27 0:41 / /run rw - tmpfs tmpfs rw\n"
                             "53 27 8:17 / /media rw - vfat /dev/sdb1 rw\n"
                             "54 53 8:2 / /media/disk rw - ext4 /dev/sda2 rw\n";
    const std::vector<Drive> expected = {
        {"/", DriveKind::Fixed, "8:1"},           {"/data", DriveKind::Ram, "0:40"},
        {"/media", DriveKind::Removable, "8:17"}, {"/media/disk", DriveKind::Fixed, "8:2"},
        {"/run", DriveKind::Ram, "0:41"},
    };
    EXPECT_EQ(platform::DrivesFromMountInfo(text, sysfs.root()), expected);
}

TEST_F(MountKindTest, TakesAnyNumberOfMounts) {
    std::string text = "27 1 8:1 / / rw - ext4 /dev/sda1 rw\n";
    for (int i = 100; i < 140; ++i)
        text += std::to_string(i) + " 27 8:2 / /srv/d" + std::to_string(i) +
                " rw - ext4 /dev/sda2 rw\n";
    const auto drives = platform::DrivesFromMountInfo(text, sysfs.root());
    ASSERT_EQ(drives.size(), 41u);
    EXPECT_EQ(drives.back(), (Drive{"/srv/d139", DriveKind::Fixed, "8:2"}));
    EXPECT_TRUE(std::all_of(drives.begin(), drives.end(),
                            [](const Drive& d) { return d.kind == DriveKind::Fixed; }));
}

TEST_F(MountKindTest, MountDrivesReadsTheTableAfreshAtEachCall) {
    TempDir proc;
    const auto table = proc.file("mountinfo", "27 1 8:1 / / rw - ext4 /dev/sda1 rw\n");
    const platform::MountDrives drives(table, sysfs.root());
    EXPECT_EQ(drives.drives(), (std::vector<Drive>{{"/", DriveKind::Fixed, "8:1"}}));
    proc.file("mountinfo", "27 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                           "60 27 8:17 / /media/usb rw - vfat /dev/sdb1 rw\n");
    EXPECT_EQ(Roots(drives.drives()), (std::vector<std::string>{"/", "/media/usb"}));
    fs::remove(table);
    EXPECT_EQ(drives.drives(), (std::vector<Drive>{{"/", DriveKind::Unknown}}));
}

TEST_F(MountKindTest, RootMissingFromTheTableIsStillListedFirstButNotSearched) {
    // Inside a chroot the table names the mounts below the new root, but not the root itself.
    const auto drives = platform::DrivesFromMountInfo(
        "40 30 0:5 / /dev rw - devtmpfs udev rw\n41 30 0:21 / /proc rw - proc proc rw\n",
        sysfs.root());
    EXPECT_EQ(drives.front(), (Drive{"/", DriveKind::Unknown}));
    EXPECT_EQ(Roots(drives), (std::vector<std::string>{"/", "/dev", "/proc"}));
}

TEST(MountDrives, ThisMachineListsTheRootFirstAndProcAsPseudo) {
    const auto drives = platform::MountDrives().drives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front().root, "/");
    for (const Drive& drive : drives) {
        if (drive.root == "/proc" || drive.root == "/sys") {
            EXPECT_EQ(drive.kind, DriveKind::Pseudo) << drive.root;
        }
    }
}

} // namespace
