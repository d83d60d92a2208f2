#pragma once

#include "platform/DriveRoots.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* kGameExecutable = "Ironvale.exe";

// One search for the game's executable over the drives, as it goes.
struct GameSearch {
    int16_t found = 0;     // non-zero once a copy has been found
    std::string driveRoot; // the drive root looked at last
    std::string fileName = kGameExecutable;
    std::string foundPath; // the copy's full path, letter case as on disk; empty until found
};

// Searches the fixed drives one after the other, in the order given, for the record's file
// name; the first drive holding a copy wins and the later ones are not searched. Sets
// gameFolder to the folder of that copy, or to "" when there is none. Returns the found flag.
int16_t SearchFixedDrives(GameSearch& search, const std::vector<platform::Drive>& drives,
                          std::string& gameFolder);

struct HomeFolders;

// The game folder that the user's launchers know of (see KnownPlaces.h); failing that, the one
// found on this machine's fixed drives; or "".
std::string SearchForGameFolder(const HomeFolders& home, const platform::DriveRoots& roots);

// The folder holding the file that `path` names, without a trailing "/": the part before the
// last "/", or "/" itself for a file at the top of the file system. "" when `path` has no "/".
std::string GameFolderOf(const std::string& path);

// Whether `path` names the game's executable in some folder: its last name is exactly that,
// letter case included.
bool NamesGameExecutable(const std::string& path);
