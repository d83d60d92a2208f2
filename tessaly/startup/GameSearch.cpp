#include "GameSearch.h"

#include "platform/TreeSearch.h"

#include <string_view>
#include <utility>

int16_t SearchFixedDrives(GameSearch& search, const std::vector<platform::Drive>& drives,
                          std::string& gameFolder) {
    for (const platform::Drive& drive : drives) {
        search.driveRoot = drive.root;
        if (drive.kind != platform::DriveKind::Fixed)
            continue;
        if (auto path = platform::SearchTreeForFile(drive.root, search.fileName)) {
            search.found = 1;
            search.foundPath = std::move(*path);
            break;
        }
    }
    gameFolder = GameFolderOf(search.foundPath);
    return search.found;
}

std::string SearchForGameFolder(const platform::DriveRoots& roots) {
    GameSearch search;
    std::string gameFolder;
    SearchFixedDrives(search, roots.drives(), gameFolder);
    return gameFolder;
}

// Cutting at the last "/" rather than by the length of the name sought keeps a file at the top
// of the file system from giving "", which would read as "not found".
std::string GameFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool NamesGameExecutable(const std::string& path) {
    const std::string_view name = kGameExecutable;
    return path.size() > name.size() && path.ends_with(name) &&
           path[path.size() - name.size() - 1] == '/';
}
