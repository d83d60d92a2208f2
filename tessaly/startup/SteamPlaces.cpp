#include "KnownPlaces.h"
#include "RecordFiles.h"
#include "platform/KeyValues.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsNumber(const std::string& key) {
    return !key.empty() &&
           std::ranges::all_of(key, [](unsigned char c) { return std::isdigit(c) != 0; });
}

// Where the Steam client may live: its own installer's folder and the links it keeps to it, the
// Debian package's, the Flatpak's and the Snap's.
std::vector<std::string> SteamRoots(const HomeFolders& home) {
    const std::string flatpak = home.home + "/.var/app/com.valvesoftware.Steam";
    return {home.dataHome + "/Steam",
            home.home + "/.steam/steam",
            home.home + "/.steam/root",
            home.home + "/.steam/debian-installation",
            flatpak + "/.local/share/Steam",
            flatpak + "/data/Steam",
            home.home + "/snap/steam/common/.local/share/Steam"};
}

// A Steam installation is a library itself, and its records list the others.
std::vector<std::string> Libraries(const std::string& root) {
    std::vector<std::string> libraries{root};
    for (const char* record : {"/config/libraryfolders.vdf", "/steamapps/libraryfolders.vdf"})
        Append(libraries, SteamLibraryFolders(ReadRecord(root + record)));
    return libraries;
}

} // namespace

std::vector<std::string> SteamLibraryFolders(std::string_view vdf) {
    std::vector<std::string> folders;
    const auto top = platform::ParseKeyValues(vdf);
    const platform::KeyValue* list = top ? top->find("libraryfolders") : nullptr;
    if (list == nullptr || !list->section)
        return folders;
    for (const platform::KeyValue& entry : list->children) {
        if (!IsNumber(entry.key))
            continue;
        const platform::KeyValue* path = entry.section ? entry.find("path") : &entry;
        if (path != nullptr && !path->section && !path->value.empty())
            folders.push_back(path->value);
    }
    return folders;
}

KnownPlaces SteamPlaces(const HomeFolders& home) {
    KnownPlaces places;
    for (const std::string& root : SteamRoots(home)) {
        for (const std::string& library : Libraries(root)) {
            places.libraries.push_back(library + "/steamapps/common");
            for (const std::string& game : SubfoldersOf(library + "/steamapps/compatdata"))
                places.prefixes.push_back(game + "/pfx");
        }
    }
    return places;
}
