#include "ApplicationFolder.h"

#include "KitLayout.h"
#include "UserFolders.h"

#include <system_error>
#include <unistd.h>

namespace platform {

namespace fs = std::filesystem;

// The kernel's link names the program by the bytes of its path; Qt's own answer passes through
// a QString, which replaces whatever in a folder's name is not UTF-8.
ApplicationFolder::ApplicationFolder(const fs::path& kitMarker) {
    std::error_code error;
    const auto program = fs::read_symlink("/proc/self/exe", error);
    if (error)
        throw std::system_error(error, "cannot find the program's own folder");
    folder_ = program.parent_path().native();
    kit_ = KitFolder(folder_, kitMarker, [](const fs::path& file) {
               std::error_code ignored;
               return fs::exists(file, ignored);
           }).native();
    const bool portable = kit_ == folder_;
    module_ = ModuleFolder(folder_, portable).native();
    settings_ =
        SettingsFolder(folder_, portable, {FolderFromEnvironment("XDG_CONFIG_HOME"), HomeFolder()},
                       [](const fs::path& folder) { return ::access(folder.c_str(), W_OK) == 0; })
            .native();
}

// Made here rather than at start, so that a run that never reaches the settings leaves no trace.
// A folder that cannot be made shows when the settings file cannot be written.
std::string ApplicationFolder::settingsFolder() const {
    std::error_code ignored;
    fs::create_directories(settings_, ignored);
    return settings_;
}

} // namespace platform
