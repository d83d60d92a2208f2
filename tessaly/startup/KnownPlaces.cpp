#include "KnownPlaces.h"

#include "RecordFiles.h"
#include "platform/AsciiCase.h"
#include "platform/TreeSearch.h"
#include "platform/UserFolders.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <string_view>
#include <utility>

namespace fs = std::filesystem;

namespace {

// How far below a place the game may lie: in a game folder at its top or one level down (a
// "bin" folder), in a library one level further, and in a prefix's drive_c as deep as
// "Program Files (x86)/Publisher/Game/bin".
constexpr int kGameFolderDepth = 1;
constexpr int kDriveDepth = 4;

std::string FolderOrDefault(const char* variable, const std::string& fallback) {
    const std::string folder = platform::FolderFromEnvironment(variable);
    return folder.empty() ? fallback : folder;
}

fs::path RealPath(const std::string& path) {
    std::error_code error;
    fs::path real = fs::weakly_canonical(path, error);
    return error ? fs::path(path) : real;
}

bool IsWithin(const fs::path& path, const fs::path& folder) {
    return std::mismatch(folder.begin(), folder.end(), path.begin(), path.end()).first ==
           folder.end();
}

// A launcher's record may still name a game that the user has since thrown away.
bool LiesInTrash(const std::string& path, const HomeFolders& home) {
    const fs::path real = RealPath(path);
    const bool inDriveTrash = std::ranges::any_of(real, [](const fs::path& part) {
        return part == ".Trash" || part.native().starts_with(".Trash-");
    });
    return inDriveTrash || IsWithin(real, RealPath(home.dataHome + "/Trash")) ||
           IsWithin(real, RealPath(home.home + "/.local/share/Trash"));
}

// Every launcher's places, each prefix by its drive, and a library's folders named after the
// game ("steamapps/common/Ironvale") among the game folders, after the recorded ones.
KnownPlaces AllKnownPlaces(const HomeFolders& home, std::string_view stem) {
    KnownPlaces places = SteamPlaces(home);
    places.add(HeroicPlaces(home));
    places.add(LutrisPlaces(home));
    places.add(WinePlaces(home));
    for (std::string& prefix : places.prefixes)
        prefix += "/drive_c";
    for (const std::string& library : places.libraries)
        for (std::string& entry : SubfoldersOf(library))
            if (platform::ContainsIgnoringAsciiCase(fs::path(entry).filename().native(), stem))
                places.gameFolders.push_back(std::move(entry));
    return places;
}

} // namespace

HomeFolders HomeFolders::FromEnvironment() {
    HomeFolders folders;
    folders.home = platform::HomeFolder();
    folders.dataHome = FolderOrDefault("XDG_DATA_HOME", folders.home + "/.local/share");
    folders.configHome = FolderOrDefault("XDG_CONFIG_HOME", folders.home + "/.config");
    folders.winePrefix = platform::FolderFromEnvironment("WINEPREFIX");
    return folders;
}

void KnownPlaces::add(KnownPlaces more) {
    Append(gameFolders, std::move(more.gameFolders));
    Append(libraries, std::move(more.libraries));
    Append(prefixes, std::move(more.prefixes));
}

std::optional<std::string> SearchKnownPlaces(const HomeFolders& home, const std::string& fileName) {
    const KnownPlaces places =
        AllKnownPlaces(home, std::string_view(fileName).substr(0, fileName.rfind('.')));
    // Launchers name one place under several names (~/.steam/steam is a link to the data
    // folder's Steam); each is searched once to each depth.
    std::set<std::pair<fs::path, int>> searched;
    const auto search = [&](const std::vector<std::string>& folders,
                            int depth) -> std::optional<std::string> {
        for (const std::string& folder : folders) {
            // A relative path in a record would be taken from wherever Tessaly was started.
            if (!folder.starts_with('/') || !searched.emplace(RealPath(folder), depth).second)
                continue;
            auto found = platform::SearchTreeForFile(folder, fileName, depth);
            if (found && !LiesInTrash(*found, home))
                return found;
        }
        return std::nullopt;
    };
    // The top of every game folder is looked at before any folder one level down: a copy at a
    // top wins wherever its folder is listed, and the usual case reads least. The prefixes come
    // last, as their walks read the most.
    for (int below = 0; below <= kGameFolderDepth; ++below) {
        if (auto found = search(places.gameFolders, below))
            return found;
        if (auto found = search(places.libraries, below + 1))
            return found;
    }
    return search(places.prefixes, kDriveDepth);
}
