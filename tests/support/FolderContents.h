#pragma once

#include <filesystem>
#include <map>
#include <string>

// Everything below `folder`, by path relative to it: a file maps to its bytes, a sub-folder
// (its name ending in "/") to "", a symbolic link (named as it is) to "-> " + its target.
std::map<std::string, std::string> FolderContents(const std::filesystem::path& folder);
