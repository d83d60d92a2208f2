#pragma once

#include "DriveRoots.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One line of a mountinfo table, its paths with the kernel's octal escapes decoded.
struct MountEntry {
    int id = 0;
    int parentId = 0;
    unsigned major = 0;
    unsigned minor = 0;
    std::string mountPoint;
    std::string fsType;
    std::string source;

    bool operator==(const MountEntry&) const = default;
};

// The entries of a mountinfo text in its own order; lines that do not parse are left out.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// Judges a mount by its file system type and, where it sits on a block device, by that device's
// entry under sysfsRoot: only a disk file system on a device whose disk is not removable (all
// disks beneath it, for device-mapper and RAID) is Fixed.
DriveKind MountKind(const MountEntry& mount, const std::filesystem::path& sysfsRoot);

// The drives of a mountinfo text: one per visible mount point (a mount hidden by another on
// the same point is left out), in drive order (InDriveOrder).
std::vector<Drive> DrivesFromMountInfo(std::string_view text,
                                       const std::filesystem::path& sysfsRoot);

// This machine's drives, read afresh from the running process's mount table at each call.
class MountDrives : public DriveRoots {
public:
    explicit MountDrives(std::filesystem::path mountInfo = "/proc/self/mountinfo",
                         std::filesystem::path sysfsRoot = "/sys");
    std::vector<Drive> drives() const override;

private:
    std::filesystem::path mountInfo_;
    std::filesystem::path sysfsRoot_;
};

} // namespace platform
