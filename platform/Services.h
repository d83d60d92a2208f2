#pragma once

#include "DriveRoots.h"
#include "ItemChooser.h"
#include "Launcher.h"
#include "MessageBoxes.h"
#include "ProgramFolder.h"
#include "SoundPlayer.h"

namespace platform {

// Everything a window needs from the desktop that a test cannot do for real.
// main() builds the real ones; tests hand in fakes. The services outlive the windows.
struct Services {
    MessageBoxes& boxes;
    SoundPlayer& sound;
    DriveRoots& drives;
    ItemChooser& chooser;
    Launcher& launcher;
    ProgramFolder& programFolder;
};

} // namespace platform
