#include "KnownPlaces.h"
#include "LauncherRecords.h"
#include "LutrisDatabase.h"
#include "RecordFiles.h"

#include <utility>

namespace {

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

// Heroic keeps a record per store of the games it installed, and a settings file per game that
// names its Wine prefix.
KnownPlaces HeroicPlaces(const HomeFolders& home) {
    struct Record {
        const char* file;
        const char* key;
    };
    static constexpr Record kInstalled[] = {
        {"/gog_store/installed.json", "install_path"},
        {"/legendaryConfig/legendary/installed.json", "install_path"},
        {"/nile_config/nile/installed.json", "path"},
    };
    KnownPlaces places;
    for (const std::string& root :
         {home.configHome + "/heroic",
          home.home + "/.var/app/com.heroicgameslauncher.hgl/config/heroic"}) {
        for (const Record& record : kInstalled)
            Append(places.gameFolders, JsonTextsUnder(ReadRecord(root + record.file), record.key));
        for (const std::string& settings : FilesIn(root + "/GamesConfig", "*.json"))
            Append(places.prefixes, JsonTextsUnder(ReadRecord(settings), "winePrefix"));
    }
    return places;
}

// Lutris keeps one file per installed game, in the data folder now and in the config folder in
// older versions, and the folder of each game in its database; the Flatpak keeps its own. A
// Wine game's folder is mostly its prefix too.
KnownPlaces LutrisPlaces(const HomeFolders& home) {
    KnownPlaces places;
    for (const std::string& lutris :
         {home.dataHome + "/lutris", home.configHome + "/lutris",
          home.home + "/.var/app/net.lutris.Lutris/data/lutris"}) {
        for (const std::string& file : FilesIn(lutris + "/games", "*.yml")) {
            LutrisGame game = LutrisGameFromYaml(ReadRecord(file));
            Append(places.gameFolders, std::move(game.folders));
            if (!game.prefix.empty())
                places.prefixes.push_back(std::move(game.prefix));
        }
        for (const std::string& folder : LutrisGameDirectories(lutris + "/pga.db")) {
            places.gameFolders.push_back(folder);
            places.prefixes.push_back(folder);
        }
    }
    return places;
}

// ~/Games, where several launchers put a folder per game that holds the game or its Wine
// prefix; the prefix the environment names and Wine's own; Bottles' bottles, each a prefix,
// native and Flatpak.
KnownPlaces WinePlaces(const HomeFolders& home) {
    KnownPlaces places;
    places.libraries.push_back(home.home + "/Games");
    if (!home.winePrefix.empty())
        places.prefixes.push_back(home.winePrefix);
    places.prefixes.push_back(home.home + "/.wine");
    for (const std::string& folder :
         {home.home + "/Games", home.dataHome + "/bottles/bottles",
          home.home + "/.var/app/com.usebottles.bottles/data/bottles/bottles"})
        Append(places.prefixes, SubfoldersOf(folder));
    return places;
}
