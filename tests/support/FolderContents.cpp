#include "FolderContents.h"

#include "TempDir.h"

namespace fs = std::filesystem;

std::map<std::string, std::string> FolderContents(const fs::path& folder) {
    std::map<std::string, std::string> contents;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().lexically_relative(folder).native();
        if (entry.is_symlink())
            contents[name] = "-> " + fs::read_symlink(entry.path()).native();
        else if (entry.is_directory())
            contents[name + "/"] = "";
        else
            contents[name] = ReadBytes(entry.path());
    }
    return contents;
}
