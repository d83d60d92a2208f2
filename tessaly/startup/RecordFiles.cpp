#include "RecordFiles.h"

#include "platform/AtomicFile.h"
#include "platform/FolderListing.h"

#include <iterator>
#include <system_error>

namespace {

std::vector<std::string> FullPaths(const std::string& folder, std::vector<std::string> names) {
    for (std::string& name : names)
        name = folder + "/" + name;
    return names;
}

} // namespace

std::vector<std::string> SubfoldersOf(const std::string& folder) {
    try {
        return FullPaths(folder, platform::ListFolders(folder));
    } catch (const std::system_error&) {
        return {};
    }
}

std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern) {
    try {
        return FullPaths(folder, platform::ListFiles(folder, pattern));
    } catch (const std::system_error&) {
        return {};
    }
}

std::string ReadRecord(const std::string& file) {
    return platform::ReadWholeFile(file).value_or("");
}

void Append(std::vector<std::string>& to, std::vector<std::string> more) {
    to.insert(to.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}
