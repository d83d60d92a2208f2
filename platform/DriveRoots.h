#pragma once

#include <string>
#include <utility>
#include <vector>

namespace platform {

enum class DriveKind { Fixed, Removable, Network, Optical, Ram, Pseudo, Unknown };

struct Drive {
    Drive() = default;
    Drive(std::string root, DriveKind kind, std::string device = {})
        : root(std::move(root)), kind(kind), device(std::move(device)) {}

    std::string root; // mount point, e.g. "/" or "/media/usb"
    DriveKind kind = DriveKind::Unknown;
    // The mounted file system's device number, "MAJOR:MINOR" as the mount table writes it, or ""
    // when unknown. Two mounts with one number show the same file system.
    std::string device;

    bool operator==(const Drive&) const = default;
};

// `drives` in the order every DriveRoots gives them: "/" first, then the others in path
// order, so that a folder comes before the mounts below it. "/" is always there to browse,
// even where a mount table does not list it (in a chroot, or when the table cannot be read);
// where it is missing it is added, of unknown kind.
std::vector<Drive> InDriveOrder(std::vector<Drive> drives);

class DriveRoots {
public:
    virtual ~DriveRoots() = default;
    // The machine's drive roots, "/" first, then the others in path order.
    virtual std::vector<Drive> drives() const = 0;
};

} // namespace platform
