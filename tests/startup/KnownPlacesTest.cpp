#include "tessaly/startup/KnownPlaces.h"

#include "support/FakeServices.h"
#include "support/TempDir.h"
#include "tessaly/startup/GameSearch.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A record of each launcher, "$H" standing for the home folder. Some name places in a trash,
// one in a relative path, and one is corrupt; none of these may get in the way.
const std::pair<const char*, const char*> kRecords[] = {
    {".local/share/Steam/config/libraryfolders.vdf",
     R"("libraryfolders" { "0" { "path" "$H/none" } "1" { "path" "$H/disk" } })"},
    {".steam/debian-installation/steamapps/libraryfolders.vdf",
     R"("LibraryFolders" { "ContentStatsID" "-1" "1" "$H/old" })"},
    {"snap/steam/common/.local/share/Steam/config/libraryfolders.vdf",
     R"("libraryfolders" { "1" )"},
    {".config/heroic/gog_store/installed.json",
     R"({"installed": [{"install_path": "$H/.local/share/Trash/files/Iv"}, {"install_path": "."},
                       {"install_path": "$H/media/.Trash-1000/files/Iv"},
                       {"install_path": "$H/hg/Ironvale"}]})"},
    {".config/heroic/GamesConfig/Iv.json", R"({"Iv": {"winePrefix": "$H/hp"}})"},
    {".local/share/lutris/games/iv.yml", "game:\n  exe: $H/lg/Iv/Ironvale.exe"},
    {".config/lutris/games/iv.yml", "game:\n  working_dir: $H/lw/Iv"},
    {".var/app/net.lutris.Lutris/data/lutris/games/iv.yml", "game: {prefix: $H/lp}"},
    {".config/lutris/pga.db", "not a database"},
};

// Lutris's game database as Lutris lays it out, less the columns the search does not read.
void WriteLutrisDatabase(const std::string& file, const std::string& home) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "pga");
        db.setDatabaseName(QString::fromStdString(file));
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec("CREATE TABLE games (id INTEGER PRIMARY KEY, directory TEXT)"));
        ASSERT_TRUE(query.exec(QString::fromStdString("INSERT INTO games VALUES (2, '" + home +
                                                      "/ld'), (1, NULL), (3, '')")));
    }
    QSqlDatabase::removeDatabase("pga");
}

// One home folder holding every launcher's record.
class FakeHome {
public:
    FakeHome() {
        for (const auto& [file, text] : kRecords) {
            std::string content = text;
            for (std::size_t at; (at = content.find("$H")) != std::string::npos;)
                content.replace(at, 2, dir.str());
            dir.file(file, content);
        }
        WriteLutrisDatabase(path(".local/share/lutris/pga.db"), dir.str());
    }

    // Puts copies of the game at `games` below the home folder for the time of one search; the
    // environment names the prefix "w".
    std::optional<std::string> searchWith(const std::vector<std::string>& games) const {
        for (const std::string& game : games)
            dir.file(game, "MZ");
        const HomeFolders folders{dir.str(), path(".local/share"), path(".config"), path("w")};
        auto found = SearchKnownPlaces(folders, "Ironvale.exe");
        for (const std::string& game : games)
            fs::remove(dir.path() / game);
        return found;
    }
    std::string path(const std::string& relative) const { return dir.str() + "/" + relative; }

    TempDir dir;
};

const std::string kCommon = ".local/share/Steam/steamapps/common/";
const std::string kExe = "/Ironvale.exe";

TEST(SearchKnownPlaces, FindsTheGameWhereEachLauncherPutIt) {
    const FakeHome home;
    const std::string games[] = {
        kCommon + "Ironvale" + kExe,
        "disk/steamapps/common/Ironvale/bin/IRONVALE.EXE",
        "old/steamapps/common/Ironvale" + kExe,
        ".steam/root/steamapps/compatdata/42/pfx/drive_c/Program Files/Studio/Iv" + kExe,
        "hg/Ironvale" + kExe,
        "hp/drive_c/GOG Games/Ironvale" + kExe,
        "lg/Iv" + kExe,
        "lw/Iv/bin" + kExe,
        "lp/drive_c/Ironvale" + kExe,
        "ld/Ironvale" + kExe,
        "ld/drive_c/Program Files/Ironvale" + kExe,
        "w/drive_c/I" + kExe,
        ".wine/drive_c/Games/Ironvale" + kExe,
        "Games/Ironvale" + kExe,
        "Games/iv/drive_c/Program Files/Ironvale" + kExe,
        ".local/share/bottles/bottles/Play/drive_c/Ironvale" + kExe,
    };
    for (const std::string& game : games)
        EXPECT_EQ(home.searchWith({game}), home.path(game));
}

TEST(SearchKnownPlaces, TakesTheShallowestAndMostExactPlaceFirstAndNothingThrownAway) {
    const FakeHome home;
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"Documents/Ironvale" + kExe}, ""}, // no launcher knows it
        {{"hg/Ironvale/a/b" + kExe}, ""},    // too deep below a game
        {{".local/share/Trash/files/Iv" + kExe, "media/.Trash-1000/files/Iv" + kExe}, ""},
        {{"hg/Ironvale" + kExe, kCommon + "A" + kExe}, "hg/Ironvale" + kExe},     // recorded first
        {{"hg/Ironvale/bin" + kExe, kCommon + "Z" + kExe}, kCommon + "Z" + kExe}, // tops first
        {{".wine/drive_c/I" + kExe, kCommon + "Z/bin" + kExe}, kCommon + "Z/bin" + kExe},
        {{kCommon + "A" + kExe, "old/steamapps/common/IRONVALE-x" + kExe}, // named after it
         "old/steamapps/common/IRONVALE-x" + kExe},
        {{kCommon + "b" + kExe, kCommon + "a/ironvale.exe", kCommon + "B/x" + kExe},
         kCommon + "a/ironvale.exe"}, // the first in byte order
    };
    for (const auto& [games, found] : cases)
        EXPECT_EQ(home.searchWith(games),
                  found.empty() ? std::nullopt : std::optional(home.path(found)))
            << games.front();
}

// A stray copy nearer the top of the disk than the launcher's library loses to it; the walk of
// the disks runs only when no launcher knows the game.
TEST(SearchForGameFolder, AKnownPlaceWinsOverAShallowerCopyOnTheDisk) {
    const TempDir disk;
    disk.file("a/Ironvale.exe");
    disk.file("home/.steam/steam/steamapps/common/Iv" + kExe);
    HomeFolders folders{disk.str() + "/home", disk.str() + "/data", disk.str() + "/config", ""};
    FakeDrives drives;
    drives.list = {{disk.str(), platform::DriveKind::Fixed}};
    EXPECT_EQ(SearchForGameFolder(folders, drives),
              folders.home + "/.steam/steam/steamapps/common/Iv");
    folders.home = disk.str() + "/nobody";
    EXPECT_EQ(SearchForGameFolder(folders, drives), disk.str() + "/a");
}

} // namespace
