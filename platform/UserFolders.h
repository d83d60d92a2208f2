#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// The user's home folder: HOME, or the password database's answer where HOME is unset (as under
// some service managers).
std::string HomeFolder();

// An environment variable naming a folder, or "" when it is unset. A relative value counts as
// unset, as the desktop's base-directory rules say.
std::string FolderFromEnvironment(const char* name);

// Where `program` keeps what it must remember between runs but that is no setting (its
// journals): `program` in $XDG_STATE_HOME, by default ~/.local/state. Made, readable by the
// user alone, when missing; throws std::filesystem::filesystem_error when it cannot be made.
std::filesystem::path StateFolder(std::string_view program);

} // namespace platform
