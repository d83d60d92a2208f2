#pragma once

#include <string>
#include <string_view>
#include <vector>

// The readers of the game launchers' records, each taking a file's content: no disk, no window.
// A corrupt record gives nothing (or what was read before the fault), never a failure.

// The library folders that a Steam libraryfolders.vdf lists, in its order; in the old form each
// numbered key holds the path, in the new one each numbered section holds it under "path".
std::vector<std::string> SteamLibraryFolders(std::string_view vdf);

// Every text held under `key` anywhere in a JSON document (objects taken in key order), as
// Heroic's records hold install paths and Wine prefixes at various depths.
std::vector<std::string> JsonTextsUnder(std::string_view json, std::string_view key);

// What a Lutris game file says of the game's place: the folders of game.exe and
// game.working_dir, and game.prefix. Paths given relative are taken from the prefix.
struct LutrisGame {
    std::vector<std::string> folders;
    std::string prefix;
};
LutrisGame LutrisGameFromYaml(const std::string& yaml);
