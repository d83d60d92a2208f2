#pragma once

#include <string>
#include <vector>

// Where a folder goes when the trash will not take it: beside itself, on its own file system,
// so that it only changes its name and nothing is copied.
struct Aside {
    std::string path; // where the folder lies now
    int error = 0;    // why it could not be set aside; 0 when it was
};

// Renames `folder` (a symbolic link as it is) to a free name beside it:
// "<name>.kept-<date>-<time>", in local time, with "-2", "-3" ... added when that is taken.
Aside SetAside(const std::string& folder);

// Every folder beside `folder` that SetAside may have made of it.
std::vector<std::string> SetAsideFolders(const std::string& folder);

// Renames `from` to `to`, which is never replaced; 0, or the error number of the failure.
int MoveWithoutReplacing(const std::string& from, const std::string& to);
