#include "tessaly/startup/KnownPlaces.h"

#include "support/FakeServices.h"
#include "support/TempDir.h"
#include "tessaly/startup/GameSearch.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Record {
    std::string file; // below the home folder
    std::string text; // "$H" stands for the home folder's path
};

// A home folder holding the launcher records and the copies of the game that a case puts there.
class FakeHome {
public:
    FakeHome(const std::vector<Record>& records, const std::vector<std::string>& games) {
        for (const Record& record : records)
            dir.file(record.file, WithHome(record.text));
        for (const std::string& game : games)
            dir.file(game, "MZ");
    }

    HomeFolders folders() const {
        return {dir.str(), dir.str() + "/.local/share", dir.str() + "/.config", winePrefix};
    }
    std::string path(const std::string& relative) const { return dir.str() + "/" + relative; }
    std::optional<std::string> search() const {
        return SearchKnownPlaces(folders(), "Ironvale.exe");
    }

    TempDir dir;
    std::string winePrefix;

private:
    std::string WithHome(std::string text) const {
        for (std::size_t at; (at = text.find("$H")) != std::string::npos;)
            text.replace(at, 2, dir.str());
        return text;
    }
};

struct Case {
    const char* name;
    std::vector<Record> records;
    std::vector<std::string> games;
    const char* found; // "" for none
};

void ExpectFound(const Case& c) {
    const FakeHome home(c.records, c.games);
    const std::optional<std::string> expected =
        *c.found == '\0' ? std::nullopt : std::optional(home.path(c.found));
    EXPECT_EQ(home.search(), expected) << c.name;
}

const std::string kLibraries = R"("libraryfolders" { "0" { "path" "$H/.local/share/Steam" }
                                                    "1" { "path" "$H/disk/SteamLibrary" } })";
const std::string kOldLibraries = R"("LibraryFolders" { "ContentStatsID" "-1" "1" "$H/old" })";
const std::string kExe = "/Ironvale.exe";

TEST(SearchKnownPlaces, FindsTheGameWhereEachLauncherPutIt) {
    const Case cases[] = {
        {"Steam, its own library",
         {},
         {".local/share/Steam/steamapps/common/Ironvale" + kExe},
         ".local/share/Steam/steamapps/common/Ironvale/Ironvale.exe"},
        {"Steam, a library of the new list",
         {{".local/share/Steam/config/libraryfolders.vdf", kLibraries}},
         {"disk/SteamLibrary/steamapps/common/Ironvale/bin/IRONVALE.EXE"},
         "disk/SteamLibrary/steamapps/common/Ironvale/bin/IRONVALE.EXE"},
        {"Steam of the Debian package, a library of the old list",
         {{".steam/debian-installation/steamapps/libraryfolders.vdf", kOldLibraries}},
         {"old/steamapps/common/Ironvale" + kExe},
         "old/steamapps/common/Ironvale/Ironvale.exe"},
        {"Steam Flatpak",
         {},
         {".var/app/com.valvesoftware.Steam/data/Steam/steamapps/common/I" + kExe},
         ".var/app/com.valvesoftware.Steam/data/Steam/steamapps/common/I/Ironvale.exe"},
        {"Steam Snap",
         {},
         {"snap/steam/common/.local/share/Steam/steamapps/common/I" + kExe},
         "snap/steam/common/.local/share/Steam/steamapps/common/I/Ironvale.exe"},
        {"a Proton prefix",
         {},
         {".steam/root/steamapps/compatdata/42/pfx/drive_c/Program Files/Studio/Ironvale" + kExe},
         ".steam/root/steamapps/compatdata/42/pfx/drive_c/Program Files/Studio/Ironvale/"
         "Ironvale.exe"},
        {"Heroic, gog_store",
         {{".config/heroic/gog_store/installed.json",
           R"({"installed": [{"install_path": "$H/hg/Ironvale"}]})"}},
         {"hg/Ironvale" + kExe},
         "hg/Ironvale/Ironvale.exe"},
        {"Heroic, legendary",
         {{".config/heroic/legendaryConfig/legendary/installed.json",
           R"({"Iv": {"install_path": "$H/he/Ironvale"}})"}},
         {"he/Ironvale/x64" + kExe},
         "he/Ironvale/x64/Ironvale.exe"},
        {"Heroic Flatpak, nile",
         {{".var/app/com.heroicgameslauncher.hgl/config/heroic/nile_config/nile/installed.json",
           R"([{"path": "$H/ha/Ironvale"}])"}},
         {"ha/Ironvale" + kExe},
         "ha/Ironvale/Ironvale.exe"},
        {"Heroic, a game's Wine prefix",
         {{".config/heroic/GamesConfig/Iv.json", R"({"Iv": {"winePrefix": "$H/hp/Iv"}})"}},
         {"hp/Iv/drive_c/GOG Games/Ironvale" + kExe},
         "hp/Iv/drive_c/GOG Games/Ironvale/Ironvale.exe"},
        {"Lutris, the game's executable",
         {{".local/share/lutris/games/ironvale-1.yml",
           "game:\n  exe: $H/lg/Ironvale/Ironvale.exe\n"}},
         {"lg/Ironvale" + kExe},
         "lg/Ironvale/Ironvale.exe"},
        {"Lutris of old, the working folder",
         {{".config/lutris/games/ironvale-1.yml", "game:\n  working_dir: $H/lw/Ironvale\n"}},
         {"lw/Ironvale/bin" + kExe},
         "lw/Ironvale/bin/Ironvale.exe"},
        {"Lutris Flatpak, the prefix",
         {{".var/app/net.lutris.Lutris/data/lutris/games/iv.yml", "game:\n  prefix: $H/lp\n"}},
         {"lp/drive_c/Ironvale" + kExe},
         "lp/drive_c/Ironvale/Ironvale.exe"},
        {"Wine's own prefix",
         {},
         {".wine/drive_c/Games/Ironvale" + kExe},
         ".wine/drive_c/Games/Ironvale/Ironvale.exe"},
        {"a game folder in ~/Games", {}, {"Games/Ironvale" + kExe}, "Games/Ironvale/Ironvale.exe"},
        {"a prefix in ~/Games",
         {},
         {"Games/iv/drive_c/Program Files/Ironvale" + kExe},
         "Games/iv/drive_c/Program Files/Ironvale/Ironvale.exe"},
        {"a bottle",
         {},
         {".local/share/bottles/bottles/Play/drive_c/Ironvale" + kExe},
         ".local/share/bottles/bottles/Play/drive_c/Ironvale/Ironvale.exe"},
        {"a bottle of the Flatpak",
         {},
         {".var/app/com.usebottles.bottles/data/bottles/bottles/Play/drive_c/Ironvale" + kExe},
         ".var/app/com.usebottles.bottles/data/bottles/bottles/Play/drive_c/Ironvale/"
         "Ironvale.exe"},
        {"no launcher knows it", {}, {"Documents/Ironvale" + kExe}, ""},
        {"too deep in a game folder",
         {{".config/heroic/gog_store/installed.json",
           R"({"installed": [{"install_path": "$H/hg"}]})"}},
         {"hg/a/b" + kExe},
         ""},
    };
    for (const Case& c : cases)
        ExpectFound(c);
}

TEST(SearchKnownPlaces, TakesTheShallowestAndMostExactPlaceFirstAndNothingThrownAway) {
    const Case cases[] = {
        {"at the tops, a launcher's game folder before a library",
         {{".config/heroic/gog_store/installed.json",
           R"({"installed": [{"install_path": "$H/hg/Ironvale"}]})"}},
         {"hg/Ironvale" + kExe, ".local/share/Steam/steamapps/common/A" + kExe},
         "hg/Ironvale/Ironvale.exe"},
        {"the top of any game folder before one level down",
         {{".config/heroic/gog_store/installed.json",
           R"({"installed": [{"install_path": "$H/hg/Ironvale"}]})"}},
         {"hg/Ironvale/bin" + kExe, ".local/share/Steam/steamapps/common/Z" + kExe},
         ".local/share/Steam/steamapps/common/Z/Ironvale.exe"},
        {"a library before a prefix",
         {},
         {".wine/drive_c/Ironvale" + kExe, ".local/share/Steam/steamapps/common/Z/bin" + kExe},
         ".local/share/Steam/steamapps/common/Z/bin/Ironvale.exe"},
        {"in a library the shallowest, then the first by bytes",
         {},
         {".steam/steam/steamapps/common/b" + kExe, ".steam/steam/steamapps/common/a/ironvale.exe",
          ".steam/steam/steamapps/common/B/x" + kExe},
         ".steam/steam/steamapps/common/a/ironvale.exe"},
        {"a record naming a folder in the trash",
         {{".config/heroic/gog_store/installed.json",
           R"({"installed": [{"install_path": "$H/.local/share/Trash/files/Ironvale"},
                             {"install_path": "$H/media/.Trash-1000/files/Ironvale"}]})"}},
         {".local/share/Trash/files/Ironvale" + kExe, "media/.Trash-1000/files/Ironvale" + kExe},
         ""},
        {"corrupt records are skipped",
         {{".local/share/Steam/config/libraryfolders.vdf", R"("libraryfolders" { "1" )"},
          {".config/heroic/gog_store/installed.json", R"({"installed": [)"},
          {".config/heroic/GamesConfig/x.json", "\xFF\xFE"},
          {".local/share/lutris/games/x.yml", "game: [\n"}},
         {".wine/drive_c/Ironvale" + kExe},
         ".wine/drive_c/Ironvale/Ironvale.exe"},
        {"relative paths in records are not taken from the working folder",
         {{".config/heroic/gog_store/installed.json", R"({"installed": [{"install_path": "."}]})"}},
         {},
         ""},
    };
    for (const Case& c : cases)
        ExpectFound(c);
}

TEST(SearchKnownPlaces, FollowsWinePrefixToItsDrive) {
    FakeHome home({}, {"elsewhere/drive_c/Ironvale" + kExe});
    EXPECT_EQ(home.search(), std::nullopt);
    home.winePrefix = home.path("elsewhere");
    EXPECT_EQ(home.search(), home.path("elsewhere/drive_c/Ironvale/Ironvale.exe"));
}

// A stray copy nearer the top of the disk than the launcher's library loses to it; the walk of
// the disks runs only when no launcher knows the game.
TEST(SearchForGameFolder, AKnownPlaceWinsOverAShallowerCopyOnTheDisk) {
    const FakeHome home({}, {"a/Ironvale.exe", "home/.steam/steam/steamapps/common/Iv" + kExe});
    HomeFolders folders = home.folders();
    folders.home = home.path("home");
    FakeDrives drives;
    drives.list = {{home.dir.str(), platform::DriveKind::Fixed}};
    EXPECT_EQ(SearchForGameFolder(folders, drives),
              home.path("home/.steam/steam/steamapps/common/Iv"));
    folders.home = home.path("nobody");
    EXPECT_EQ(SearchForGameFolder(folders, drives), home.path("a"));
}

} // namespace
