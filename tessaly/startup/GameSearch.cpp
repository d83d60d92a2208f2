#include "GameSearch.h"

#include "KnownPlaces.h"
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

// A launcher's record says where the game is in a few small reads; a walk of every disk may
// take minutes, and may meet a stray copy first.
std::string SearchForGameFolder(const HomeFolders& home, const platform::DriveRoots& roots) {
    if (const auto known = SearchKnownPlaces(home, kGameExecutable))
        return GameFolderOf(*known);
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
