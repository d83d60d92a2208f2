#include "Splash.h"
#include "tessaly/Main.h"
#include "tessaly/common/BusyPointer.h"
#include "tessaly/common/Files.h"
#include "tessaly/common/KitFiles.h"
#include "tessaly/common/SettingsFile.h"
#include "tessaly/common/Strings.h"

#include <memory>

namespace {

constexpr int RememberedListSize = 20;

} // namespace

void Main::Form_Load() {
    // Any failure not handled lower down ends start-up quietly; the window still opens with
    // whatever was restored so far.
    try {
        const std::string settings = settingsPath();
        cntr = 0;
        cue(kit::cue::Startup, platform::Wait::No);
        if (SetupError)
            return;

        const bool firstRun = !FileExists(settings);
        if (!firstRun) {
            const std::string drive = ReadINI("Browse For File", "DefaultDrive", settings);
            const std::string folder = ReadINI("Browse For File", "DefaultDirectory", settings);
            showBrowsePosition(drive, folder);

            for (int n = 0; n < RememberedListSize; ++n) {
                const std::string entry = ReadINI("Armpatch", "file" + std::to_string(n), settings);
                if (!entry.empty() && FileExists(entry))
                    appendListEntry(entry);
            }
            Ironvaledirectory = ReadINI("Ironvale", "Directory", settings);
        }

        // A remembered game folder is trusted as it stands.
        if (Ironvaledirectory.empty()) {
            searchWithSplash();
            if (!Ironvaledirectory.empty() || userLocatesGame())
                recordGameFolder(firstRun);
        }
        if (SetupError)
            return;

        Ironvaledirectory = AddBackslash(Ironvaledirectory);
        showGameFolder();
        fillTypeFilter();
        setWindowTitle("Tessaly");
    } catch (const std::exception&) {
    }
}

void Main::searchWithSplash() {
    auto splash = std::make_unique<Splash>(kitFile(kit::Logo));
    splash->show();
    const BusyPointer busy(*this);
    splash->repaint();
    SearchForGame();
    splash.reset();
}

// Asks the user to pick the game by hand. False when they decline at once: then nothing is
// recorded. After a give-up further down the folder is recorded all the same, empty.
bool Main::userLocatesGame() {
    if (box("Tessaly could not find Ironvale Installed.  Please locate and select Ironvale.exe",
            platform::BoxIcon::None,
            platform::BoxButtons::OkCancel) == platform::BoxAnswer::Cancel) {
        goodbye();
        return false;
    }
    LocateGame();
    if (SetupError)
        Unload();
    return true;
}

void Main::recordGameFolder(bool firstRun) {
    const std::string settings = settingsPath();
    if (firstRun && !WriteTextFile(settings, "")) {
        box("Error initiating setup", platform::BoxIcon::Critical);
        SetupError = true;
        Unload();
        return;
    }
    WriteINI("Ironvale", "Directory", Ironvaledirectory, settings);
}
