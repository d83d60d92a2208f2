#include "ApplicationFolder.h"

#include <filesystem>
#include <system_error>

namespace platform {

// The kernel's link names the program by the bytes of its path; Qt's own answer passes through
// a QString, which replaces whatever in a folder's name is not UTF-8.
ApplicationFolder::ApplicationFolder() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        throw std::system_error(error, "cannot find the program's own folder");
    folder_ = program.parent_path().native();
}

} // namespace platform
