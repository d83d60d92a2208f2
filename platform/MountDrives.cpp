#include "MountDrives.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <optional>
#include <set>

namespace platform {
namespace fs = std::filesystem;

namespace {

// ---- Reading the table ------------------------------------------------------------------------

bool isOctal(char c) {
    return c >= '0' && c <= '7';
}

// The kernel writes a blank, tab, line feed and backslash in a path as \040, \011, \012, \134.
std::string decodeEscapes(std::string_view field) {
    std::string text;
    text.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] <= '3' &&
            isOctal(field[i + 1]) && isOctal(field[i + 2]) && isOctal(field[i + 3])) {
            text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                      (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        if (end > start)
            fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

template <class Number> bool parseNumber(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool parseDevice(std::string_view text, unsigned& major, unsigned& minor) {
    const std::size_t colon = text.find(':');
    return colon != std::string_view::npos && parseNumber(text.substr(0, colon), major) &&
           parseNumber(text.substr(colon + 1), minor);
}

// ID PARENT MAJOR:MINOR ROOT MOUNT-POINT OPTIONS [OPTIONAL...] - TYPE SOURCE SUPER-OPTIONS
std::optional<MountEntry> parseLine(std::string_view line) {
    const auto fields = splitFields(line);
    if (fields.size() < 6)
        return std::nullopt;
    const auto dash = std::find(fields.begin() + 6, fields.end(), "-");
    if (fields.end() - dash < 3)
        return std::nullopt;
    MountEntry mount;
    if (!parseNumber(fields[0], mount.id) || !parseNumber(fields[1], mount.parentId) ||
        !parseDevice(fields[2], mount.major, mount.minor))
        return std::nullopt;
    mount.mountPoint = decodeEscapes(fields[4]);
    mount.fsType = decodeEscapes(dash[1]);
    mount.source = decodeEscapes(dash[2]);
    return mount;
}

std::string deviceNumber(const MountEntry& mount) {
    return std::to_string(mount.major) + ":" + std::to_string(mount.minor);
}

// ---- Judging a mount --------------------------------------------------------------------------

bool isAnyOf(std::string_view text, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), text) != names.end();
}

// Overlay counts as pseudo: it is a view stacked on folders of other mounts, not a disk. On a
// desktop it is the root of a live session (a RAM layer over an image on the boot medium) or of
// a container, whose users' files sit on bind mounts of real disks that are searched as such.
std::optional<DriveKind> kindOfFileSystem(std::string_view type) {
    if (isAnyOf(type, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "ceph", "glusterfs",
                       "lustre", "9p", "virtiofs", "coda", "davfs", "fuse.sshfs", "fuse.rclone",
                       "fuse.s3fs", "fuse.gcsfuse", "fuse.glusterfs"}))
        return DriveKind::Network;
    if (isAnyOf(type, {"tmpfs", "ramfs"}))
        return DriveKind::Ram;
    if (isAnyOf(type, {"iso9660", "udf"}))
        return DriveKind::Optical;
    if (isAnyOf(type, {"proc",       "sysfs",       "cgroup",     "cgroup2", "devtmpfs", "devpts",
                       "debugfs",    "tracefs",     "securityfs", "pstore",  "bpf",      "mqueue",
                       "hugetlbfs",  "binfmt_misc", "configfs",   "fusectl", "autofs",   "efivarfs",
                       "rpc_pipefs", "nsfs",        "selinuxfs",  "nfsd",    "overlay"}))
        return DriveKind::Pseudo;
    return std::nullopt;
}

std::optional<fs::path> resolved(const fs::path& path) {
    std::error_code error;
    fs::path target = fs::canonical(path, error);
    if (error)
        return std::nullopt;
    return target;
}

std::string firstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

std::optional<fs::path> mappedDevice(const fs::path& sysfs, std::string_view name) {
    std::error_code error;
    for (fs::directory_iterator it(sysfs / "block", error), end; !error && it != end;
         it.increment(error)) {
        if (firstLine(it->path() / "dm" / "name") == name)
            return resolved(it->path());
    }
    return std::nullopt;
}

// The device's own folder in sysfs. Btrfs and fuseblk mounts carry an anonymous device number,
// so their source path names the device instead.
std::optional<fs::path> deviceFolder(const MountEntry& mount, const fs::path& sysfs) {
    if (auto folder = resolved(sysfs / "dev" / "block" / deviceNumber(mount)))
        return folder;
    constexpr std::string_view mapper = "/dev/mapper/";
    if (mount.source.starts_with(mapper))
        return mappedDevice(sysfs, std::string_view(mount.source).substr(mapper.size()));
    if (mount.source.starts_with("/dev/"))
        return resolved(sysfs / "class" / "block" / fs::path(mount.source).filename());
    return std::nullopt;
}

// Enough for a partition on an encrypted volume on a RAID, and a stop for a looping sysfs.
constexpr int kDeviceLevels = 8;

DriveKind deviceKind(const fs::path& device, int levelsLeft);

// Device-mapper and RAID devices are as fixed as the least fixed of the devices beneath them.
std::optional<DriveKind> kindBeneath(const fs::path& device, int levelsLeft) {
    std::optional<DriveKind> kind;
    std::error_code error;
    for (fs::directory_iterator it(device / "slaves", error), end; !error && it != end;
         it.increment(error)) {
        const auto below = resolved(it->path());
        kind = below ? deviceKind(*below, levelsLeft - 1) : DriveKind::Unknown;
        if (*kind != DriveKind::Fixed)
            break;
    }
    return kind;
}

// A loop device is an image file attached for a while, like a medium put in a drive; snap
// packages alone attach dozens of them, none holding a game.
DriveKind deviceKind(const fs::path& device, int levelsLeft) {
    if (levelsLeft == 0)
        return DriveKind::Unknown;
    const std::string name = device.filename().string();
    if (name.starts_with("loop"))
        return DriveKind::Removable;
    if (name.starts_with("sr"))
        return DriveKind::Optical;
    if (name.starts_with("zram") || name.starts_with("ram"))
        return DriveKind::Ram;
    if (name.starts_with("nbd") || name.starts_with("rbd"))
        return DriveKind::Network;
    std::error_code error;
    if (fs::exists(device / "partition", error))
        return deviceKind(device.parent_path(), levelsLeft - 1);
    if (auto kind = kindBeneath(device, levelsLeft))
        return *kind;
    // Card readers call their SD cards fixed; the card's own type says otherwise.
    if (firstLine(device / "device" / "type") == "SD")
        return DriveKind::Removable;
    const std::string removable = firstLine(device / "removable");
    if (removable == "0")
        return DriveKind::Fixed;
    return removable == "1" ? DriveKind::Removable : DriveKind::Unknown;
}

// ---- Ordering the drives ----------------------------------------------------------------------

// A mount made on the very point of another hides it; the hidden one is the parent of the other.
std::set<int> hiddenMounts(const std::vector<MountEntry>& mounts) {
    std::map<int, const MountEntry*> byId;
    for (const MountEntry& mount : mounts)
        byId.emplace(mount.id, &mount);
    std::set<int> hidden;
    for (const MountEntry& mount : mounts) {
        const auto parent = byId.find(mount.parentId);
        if (parent != byId.end() && parent->second != &mount &&
            parent->second->mountPoint == mount.mountPoint)
            hidden.insert(parent->first);
    }
    return hidden;
}

} // namespace

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
    std::vector<MountEntry> mounts;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        if (auto mount = parseLine(text.substr(0, end)))
            mounts.push_back(std::move(*mount));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return mounts;
}

DriveKind MountKind(const MountEntry& mount, const fs::path& sysfsRoot) {
    if (auto kind = kindOfFileSystem(mount.fsType))
        return *kind;
    const auto device = deviceFolder(mount, sysfsRoot);
    return device ? deviceKind(*device, kDeviceLevels) : DriveKind::Unknown;
}

std::vector<Drive> DrivesFromMountInfo(std::string_view text, const fs::path& sysfsRoot) {
    const std::vector<MountEntry> mounts = ParseMountInfo(text);
    const std::set<int> hidden = hiddenMounts(mounts);
    std::vector<Drive> drives;
    for (const MountEntry& mount : mounts) {
        if (!hidden.contains(mount.id))
            drives.push_back({mount.mountPoint, MountKind(mount, sysfsRoot), deviceNumber(mount)});
    }
    return InDriveOrder(std::move(drives));
}

MountDrives::MountDrives(fs::path mountInfo, fs::path sysfsRoot)
    : mountInfo_(std::move(mountInfo)), sysfsRoot_(std::move(sysfsRoot)) {}

std::vector<Drive> MountDrives::drives() const {
    std::ifstream in(mountInfo_, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return DrivesFromMountInfo(text, sysfsRoot_);
}

} // namespace platform
