#include "DrivePlaces.h"

#include <algorithm>
#include <fcntl.h>
#include <initializer_list>
#include <pwd.h>
#include <set>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// `path` is `tree` or lies below it.
bool IsWithin(std::string_view path, std::string_view tree) {
    return path.starts_with(tree) && (path.size() == tree.size() || path[tree.size()] == '/');
}

bool IsWithinAny(std::string_view path, std::initializer_list<std::string_view> trees) {
    return std::any_of(trees.begin(), trees.end(),
                       [path](std::string_view tree) { return IsWithin(path, tree); });
}

bool IsSystemTree(std::string_view root) {
    if (root.starts_with("/boot"))
        return true;
    if (IsWithin(root, "/run/media"))
        return false;
    return IsWithinAny(root, {"/dev", "/proc", "/sys", "/run", "/snap", "/var/lib"});
}

bool IsDisk(DriveKind kind) {
    return kind == DriveKind::Fixed || kind == DriveKind::Removable || kind == DriveKind::Optical;
}

std::string HomeFolder() {
    const long hint = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(hint > 0 ? static_cast<std::size_t>(hint) : 16384, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {};
    return found->pw_dir;
}

bool UserCanList(const std::string& folder) {
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           faccessat(AT_FDCWD, folder.c_str(), R_OK | X_OK, AT_EACCESS) == 0;
}

} // namespace

std::vector<Drive> DrivePlaces(const std::vector<Drive>& drives, const std::string& home,
                               const std::function<bool(const std::string& folder)>& canOpen) {
    std::vector<Drive> places;
    std::set<std::string> listedDevices;
    const auto take = [&](const Drive& drive) {
        places.push_back(drive);
        if (!drive.device.empty())
            listedDevices.insert(drive.device);
    };
    for (const Drive& drive : drives) {
        const std::string& root = drive.root;
        if (root == "/" || root == "/home" || (!home.empty() && root == home)) {
            take(drive);
        } else if (IsSystemTree(root) || listedDevices.contains(drive.device)) {
            continue;
        } else if (IsWithinAny(root, {"/media", "/run/media", "/mnt"})) {
            take(drive);
        } else if (IsDisk(drive.kind) && canOpen(root)) {
            take(drive);
        }
    }
    return places;
}

std::vector<Drive> UserDrivePlaces(const std::vector<Drive>& drives) {
    return DrivePlaces(drives, HomeFolder(), UserCanList);
}

} // namespace platform
