#include "UserFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace platform {

namespace fs = std::filesystem;

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0')
        return home;
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr ? user->pw_dir : "";
}

std::string FolderFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? value : "";
}

fs::path StateFolder(std::string_view program) {
    std::string base = FolderFromEnvironment("XDG_STATE_HOME");
    if (base.empty())
        base = HomeFolder() + "/.local/state";
    const fs::path folder = fs::path(base) / program;
    if (fs::create_directories(folder))
        fs::permissions(folder, fs::perms::owner_all);
    return folder;
}

} // namespace platform
