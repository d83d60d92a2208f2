#include "DriveRoots.h"

#include <algorithm>
#include <filesystem>

namespace platform {

std::vector<Drive> InDriveOrder(std::vector<Drive> drives) {
    // Of unknown kind, an unlisted "/" is browsed but never searched.
    if (std::none_of(drives.begin(), drives.end(), [](const Drive& d) { return d.root == "/"; }))
        drives.push_back({"/", DriveKind::Unknown});
    // Compared name by name, "/" comes first and "/a/b" before "/a b".
    std::stable_sort(drives.begin(), drives.end(), [](const Drive& a, const Drive& b) {
        return std::filesystem::path(a.root) < std::filesystem::path(b.root);
    });
    return drives;
}

} // namespace platform
