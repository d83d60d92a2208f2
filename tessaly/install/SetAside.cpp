#include "SetAside.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* KeptMark = ".kept-";
constexpr int Attempts = 100;

// Seconds are enough to tell apart what a person does; a second command within the same second
// takes the next free number.
std::string Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::array<char, 32> text{};
    return std::string(text.data(),
                       std::strftime(text.data(), text.size(), "%Y-%m-%d-%H-%M-%S", &local));
}

} // namespace

Aside SetAside(const std::string& folder) {
    const std::string base = folder + KeptMark + Now();
    Aside aside;
    for (int number = 1; number <= Attempts; ++number) {
        aside.path = number == 1 ? base : base + "-" + std::to_string(number);
        aside.error = MoveWithoutReplacing(folder, aside.path);
        if (aside.error != EEXIST)
            break;
    }
    return aside;
}

std::vector<std::string> SetAsideFolders(const std::string& folder) {
    const fs::path path(folder);
    const std::string prefix = path.filename().string() + KeptMark;
    std::vector<std::string> folders;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(path.parent_path(), error))
        if (entry.path().filename().string().starts_with(prefix))
            folders.push_back(entry.path().string());
    return folders;
}

// Where the file system cannot promise not to replace, the name is looked at first: the game
// folder's lock keeps other Tessalys away meanwhile.
int MoveWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
    struct stat taken {};
    if (::lstat(to.c_str(), &taken) == 0)
        return EEXIST;
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}
