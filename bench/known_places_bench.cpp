// known_places_bench MAKE_TREE TREE [RUNS] [--cold]
//
// The first-run search (the launchers' known places, then the walk) against the walk of the
// whole drive alone, both finding the same copy of the game, on a synthetic home laid on a
// synthetic drive: Steam with three libraries and 200 installed games, Proton prefixes for half
// of them, one Heroic and one Lutris install, and the game in the third Steam library.
//
// TREE is made with `MAKE_TREE --no-game` and the home laid on it when it does not exist or is
// empty, and reused when an earlier run made it. The two searches take turns, RUNS times each
// (default 15), warm; with --cold, then three times each with the page cache dropped before
// each, where this machine lets us drop it (which slows everything else running on it).
#include "platform/TreeSearch.h"
#include "tessaly/startup/GameSearch.h"
#include "tessaly/startup/KnownPlaces.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kMark = ".tessaly-home-tree";
constexpr int kGames = 200;
constexpr int kLibraries = 3;

void Write(const fs::path& file, const std::string& text = {}) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

// A game as Steam installs it: its executable, libraries and data files, in a few folders.
void MakeGame(const fs::path& folder, const std::string& exe) {
    Write(folder / exe);
    for (const char* file : {"steam_api64.dll", "d3dcompiler_47.dll", "unins000.dat"})
        Write(folder / file);
    for (const char* sub : {"data", "bin", "redist", "movies"})
        for (int i = 0; i < 8; ++i)
            Write(folder / sub / ("part" + std::to_string(i) + ".pak"));
}

// A Wine prefix as Proton makes one: a Windows folder and the users' folders.
void MakePrefix(const fs::path& prefix) {
    const fs::path drive = prefix / "drive_c";
    for (const char* sub : {"windows/system32", "windows/syswow64"})
        for (int i = 0; i < 40; ++i)
            Write(drive / sub / ("lib" + std::to_string(i) + ".dll"));
    for (const char* sub :
         {"windows/Fonts", "windows/inf", "windows/temp", "Program Files/Common Files",
          "Program Files (x86)/Common Files", "users/steamuser/Documents",
          "users/steamuser/AppData/Roaming", "users/Public/Desktop"})
        fs::create_directories(drive / sub);
    Write(prefix / "system.reg", "WINE REGISTRY Version 2\n");
}

std::string LibraryList(const std::vector<fs::path>& libraries) {
    std::string vdf = "\"libraryfolders\"\n{\n";
    for (std::size_t i = 0; i < libraries.size(); ++i)
        vdf += "\t\"" + std::to_string(i) + "\"\n\t{\n\t\t\"path\"\t\t\"" + libraries[i].string() +
               "\"\n\t\t\"label\"\t\t\"\"\n\t}\n";
    return vdf + "}\n";
}

HomeFolders LayHome(const fs::path& tree) {
    const fs::path home = tree / "home" / "player";
    const HomeFolders folders{home, home / ".local/share", home / ".config", ""};
    const std::vector<fs::path> libraries{folders.dataHome + "/Steam",
                                          tree / "mnt" / "disk1" / "SteamLibrary",
                                          tree / "mnt" / "disk2" / "SteamLibrary"};
    Write(libraries[0] / "config" / "libraryfolders.vdf", LibraryList(libraries));
    fs::create_directories(home / ".steam");
    fs::create_directory_symlink(libraries[0], home / ".steam" / "steam");
    fs::create_directory_symlink(libraries[0], home / ".steam" / "root");
    for (int game = 0; game < kGames; ++game) {
        const fs::path apps = libraries[game % kLibraries] / "steamapps";
        const std::string id = std::to_string(10000 + game);
        MakeGame(apps / "common" / ("Game " + id), "game" + id + ".exe");
        Write(apps / ("appmanifest_" + id + ".acf"), "\"AppState\"\n{\n\t\"appid\"\t\t\"" + id +
                                                         "\"\n\t\"installdir\"\t\t\"Game " + id +
                                                         "\"\n}\n");
        if (game % 2 == 0)
            MakePrefix(apps / "compatdata" / id / "pfx");
    }
    MakeGame(libraries[2] / "steamapps" / "common" / "Ironvale", "Ironvale.exe");

    const fs::path heroic = home / "Games" / "Heroic";
    Write(folders.configHome + "/heroic/gog_store/installed.json",
          R"({"installed": [{"platform": "windows", "install_path": ")" +
              (heroic / "Other Game").string() + R"(", "appName": "1207"}]})");
    Write(folders.configHome + "/heroic/GamesConfig/1207.json",
          R"({"1207": {"winePrefix": ")" + (heroic / "Prefixes" / "Other Game").string() +
              R"("}})");
    MakeGame(heroic / "Other Game", "other.exe");
    MakePrefix(heroic / "Prefixes" / "Other Game");

    const fs::path lutris = home / "Games" / "some-game";
    Write(folders.dataHome + "/lutris/games/some-game-1700000000.yml",
          "game:\n  exe: " + (lutris / "drive_c/Games/Some/some.exe").string() +
              "\n  prefix: " + lutris.string() + "\nwine:\n  version: lutris-7.2\n");
    MakePrefix(lutris);
    MakeGame(lutris / "drive_c" / "Games" / "Some", "some.exe");
    return folders;
}

class OneDrive : public platform::DriveRoots {
public:
    explicit OneDrive(std::string root) : root_(std::move(root)) {}
    std::vector<platform::Drive> drives() const override {
        return {{root_, platform::DriveKind::Fixed}};
    }

private:
    std::string root_;
};

double Millis(const std::function<std::string()>& search, std::string& found) {
    const auto start = std::chrono::steady_clock::now();
    found = search();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double Median(std::vector<double> times) {
    std::ranges::sort(times);
    return times[(times.size() - 1) / 2];
}

bool DropCaches() {
    ::sync();
    std::ofstream drop("/proc/sys/vm/drop_caches");
    drop << "3\n";
    drop.flush();
    return static_cast<bool>(drop);
}

// Runs the two searches by turns and prints their medians and ratio. False when they found
// different copies.
bool Compare(const char* title, int runs, bool cold, const std::function<std::string()>& first,
             const std::function<std::string()>& walk) {
    std::vector<double> firstTimes;
    std::vector<double> walkTimes;
    std::string firstFound;
    std::string walkFound;
    for (int run = 0; run < runs; ++run) {
        if (cold)
            DropCaches();
        firstTimes.push_back(Millis(first, firstFound));
        if (cold)
            DropCaches();
        walkTimes.push_back(Millis(walk, walkFound));
        if (firstFound != walkFound) {
            std::cerr << "the searches disagree: " << firstFound << " against " << walkFound
                      << '\n';
            return false;
        }
    }
    const double ratio = Median(firstTimes) / Median(walkTimes);
    std::printf("%-5s first-run search %8.2f ms   walk %8.1f ms   ratio %.3f   (median of %d)\n",
                title, Median(firstTimes), Median(walkTimes), ratio, runs);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    const bool cold = argc > 3 && std::string(argv[argc - 1]) == "--cold";
    if (cold)
        --argc;
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: known_places_bench MAKE_TREE TREE [RUNS] [--cold]\n";
        return 2;
    }
    try {
        const fs::path tree = fs::absolute(argv[2]);
        const int runs = argc == 4 ? std::stoi(argv[3]) : 15;
        if (!fs::exists(tree / kMark)) {
            std::cout << "making the tree and the home in " << tree.string() << " ...\n";
            const std::string make = std::string(argv[1]) + " --no-game '" + tree.string() + "'";
            if (std::system(make.c_str()) != 0)
                throw std::runtime_error("make_tree failed");
            LayHome(tree);
            Write(tree / kMark);
        }
        const fs::path home = tree / "home" / "player";
        const HomeFolders folders{home, home / ".local/share", home / ".config", ""};
        const OneDrive drive(tree);
        const auto first = [&] { return SearchForGameFolder(folders, drive); };
        const auto walk = [&] {
            return GameFolderOf(platform::SearchTreeForFile(tree, "Ironvale.exe").value_or(""));
        };
        std::string found;
        Millis(walk, found); // warms the cache
        std::cout << "game: " << found << '\n';
        if (!Compare("warm", runs, false, first, walk))
            return 1;
        if (!cold)
            return 0;
        if (!DropCaches()) {
            std::cout << "cold: cannot drop the page cache on this machine\n";
            return 0;
        }
        return Compare("cold", 3, true, first, walk) ? 0 : 1;
    } catch (const std::exception& failure) {
        std::cerr << "known_places_bench: " << failure.what() << '\n';
        return 1;
    }
}
