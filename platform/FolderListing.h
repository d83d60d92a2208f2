#pragma once

#include <string>
#include <vector>

namespace platform {

// Folder listings, read in one pass of the folder. Names are the raw bytes from the disk. Names
// beginning with "." count as hidden and are left out. A symbolic link counts as what it points
// to; a dangling one is left out. All throw std::system_error (a std::runtime_error) when the
// folder cannot be read.

enum class Order {
    // The browser panes': by name compared upper-cased (ASCII), byte by byte, with the raw bytes
    // deciding between names that differ only in case.
    ByName,
    // A file manager's, which the renaming passes number by (see NaturalOrder.h).
    Natural,
};

// Regular files whose names match any of the ";"-separated wildcard patterns ("*", "?";
// ASCII letters match either case; a trailing ".*" also matches a name without a dot, so
// "*.*" matches every name).
std::vector<std::string> ListFiles(const std::string& folder, const std::string& patterns,
                                   Order order = Order::ByName);

// Every name `folder` holds: its plain files as ListFiles(folder, "*.*", order) lists them, and
// the others (sub-folders, hidden names, links that lead nowhere ...) in no order. One pass
// reads both.
struct FolderNames {
    std::vector<std::string> files;
    std::vector<std::string> others;
};
FolderNames ListNames(const std::string& folder, Order order);

// Sub-folders, by name.
std::vector<std::string> ListFolders(const std::string& folder);

} // namespace platform
