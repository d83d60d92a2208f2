#pragma once

#include <string>
#include <vector>

namespace platform {

enum class DriveKind { Fixed, Removable, Network, Optical, Ram, Pseudo, Unknown };

struct Drive {
    std::string root; // mount point, e.g. "/" or "/media/usb"
    DriveKind kind = DriveKind::Unknown;

    bool operator==(const Drive&) const = default;
};

class DriveRoots {
public:
    virtual ~DriveRoots() = default;
    // The machine's drive roots, "/" first, then the others in path order.
    virtual std::vector<Drive> drives() const = 0;
};

} // namespace platform
