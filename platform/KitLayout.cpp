#include "KitLayout.h"

namespace platform {

namespace fs = std::filesystem;

fs::path KitFolder(const fs::path& programFolder, const fs::path& marker, const PathTest& exists) {
    if (exists(programFolder / marker))
        return programFolder;
    return (programFolder.parent_path() / "share" / "tessaly").lexically_normal();
}

fs::path ModuleFolder(const fs::path& programFolder, bool portable) {
    if (portable)
        return programFolder;
    return (programFolder.parent_path() / "lib" / "tessaly").lexically_normal();
}

fs::path SettingsFolder(const fs::path& programFolder, bool portable, const UserFolders& user,
                        const PathTest& writable) {
    if (portable && writable(programFolder))
        return programFolder;
    // A relative config home is not to be trusted: it would name a different folder from each
    // working directory.
    const fs::path configHome = fs::path(user.configHome).is_absolute()
                                    ? fs::path(user.configHome)
                                    : fs::path(user.home) / ".config";
    return configHome / "tessaly";
}

} // namespace platform
