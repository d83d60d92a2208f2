#pragma once

#include "tessaly/install/NumberedRenames.h"

#include <filesystem>
#include <functional>
#include <vector>

// A renaming pass run over and over in child processes, each killed with SIGKILL at a random
// point of its run, to show that no moment of a pass can lose a file.
struct KilledPasses {
    // Where the passes rename; every file's bytes differ from every other's.
    std::filesystem::path folder;
    // Runs first in the child; false when the child cannot be set up here.
    std::function<bool()> prepare = [] { return true; };
    // Pass number `run`; it throws or returns, and renames only what plan(run) lists.
    std::function<void(int run)> pass;
    // The renames that pass number `run` tries, by names relative to the folder, worked out
    // before it starts.
    std::function<std::vector<Renaming>(int run)> plan;
    // A pass that links a file's new name before it unlinks the old one may leave both.
    bool bothNamesMayShow = false;
};

// Runs passes until `kills` of them died by their kill, and checks after each that every file
// lies under its old or its new name with its bytes, and that nothing else lies in the folder.
// The first three passes run whole, in this process, to tell how long one takes; the kills fall
// at random within that time. Skips the test when a child cannot be started.
void KillPassesAtRandom(const KilledPasses& passes, int kills);
