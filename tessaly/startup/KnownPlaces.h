#pragma once

#include <optional>
#include <string>
#include <vector>

// The folders in which the game launchers of this user keep their records and their games: the
// home folder and the data and config folders, as the environment names them.
struct HomeFolders {
    std::string home;
    std::string dataHome;   // $XDG_DATA_HOME, else ~/.local/share
    std::string configHome; // $XDG_CONFIG_HOME, else ~/.config
    std::string winePrefix; // $WINEPREFIX, or ""

    static HomeFolders FromEnvironment();
};

// Where the launchers' records say games lie.
struct KnownPlaces {
    std::vector<std::string> gameFolders; // one game each, as a launcher recorded it
    std::vector<std::string> libraries;   // one game folder in each entry
    std::vector<std::string> prefixes;    // Wine prefixes, a Windows drive in each drive_c

    void add(KnownPlaces more);
};

// The known places of each launcher. A record that is missing, unreadable or corrupt adds
// nothing; none of them throws.
KnownPlaces SteamPlaces(const HomeFolders& home);
KnownPlaces HeroicPlaces(const HomeFolders& home);
KnownPlaces LutrisPlaces(const HomeFolders& home);
KnownPlaces WinePlaces(const HomeFolders& home);

// The full path of the first copy of `fileName` (ASCII letter case ignored) in the known places:
// first at the top of every game folder (those recorded, those of the libraries named after the
// file, then each entry of every library), then one level down in each, then a few levels down
// each prefix's drive_c; places in the order listed. Within one place the shallowest copy wins,
// ties by the path's bytes, as in the drive walk. A copy lying in a trash is never taken.
std::optional<std::string> SearchKnownPlaces(const HomeFolders& home, const std::string& fileName);
