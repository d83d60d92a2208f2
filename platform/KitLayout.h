#pragma once

#include <filesystem>
#include <functional>
#include <string>

// A kit comes in two layouts. A portable one (the build, the demo, a kit unpacked anywhere)
// holds everything in the program's folder. An installed one keeps the program in bin/, its
// modules in lib/tessaly/, its read-only files in share/tessaly/, and each user's settings in
// that user's config folder.
namespace platform {

using PathTest = std::function<bool(const std::filesystem::path&)>;

// The program folder when it holds `marker`, a file every kit has; else share/tessaly/ beside
// the program's bin/.
std::filesystem::path KitFolder(const std::filesystem::path& programFolder,
                                const std::filesystem::path& marker, const PathTest& exists);

// Beside the program in a portable kit, else lib/tessaly/ beside the program's bin/.
std::filesystem::path ModuleFolder(const std::filesystem::path& programFolder, bool portable);

// The environment's say on the user's config folder: XDG_CONFIG_HOME and HOME.
struct UserFolders {
    std::string configHome;
    std::string home;
};

// Beside the program when the kit is portable and its folder writable: a kit on a stick keeps
// its settings with it. Else tessaly/ in the user's config folder.
std::filesystem::path SettingsFolder(const std::filesystem::path& programFolder, bool portable,
                                     const UserFolders& user, const PathTest& writable);

} // namespace platform
