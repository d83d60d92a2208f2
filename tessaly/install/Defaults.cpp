#include "UndoJournal.h"
#include "tessaly/Main.h"
#include "tessaly/common/BusyPointer.h"
#include "tessaly/common/KitFiles.h"

#include <optional>

// The kit's own copies of the game's pictures go back in; the installation list and the
// settings file stay as they are. A default picture that cannot be copied ends the restore
// after the ones before it, without the success box.
void Main::cmdDefaults_Click() {
    std::optional<BusyPointer> busy(std::in_place, *this);
    if (box("Restore Armpatch files to Ironvale Defaults?", platform::BoxIcon::None,
            platform::BoxButtons::OkCancel) != platform::BoxAnswer::Ok)
        return;
    if (Ironvaledirectory.empty()) {
        busy.reset();
        box("Tessaly could not find Ironvale installed.", platform::BoxIcon::Warning);
        return;
    }
    installationdir = Ironvaledirectory + "data/armpatch/";
    if (!changeArmpatchFolder(ArmpatchCommand::Defaults, [this] { return copyDefaults(); }))
        return;
    box("Armpatch files restored to defaults provided by Ironvale", platform::BoxIcon::Information);
    cue(kit::cue::Restored, platform::Wait::No);
    setWindowTitle("Tessaly");
}

// Ends at the first default picture that cannot be copied; the ones before it take their names
// together at the end.
bool Main::copyDefaults() {
    const std::string stem = kitFile(kit::DefaultArmpatchStem);
    makeArmpatchFolder();
    bool copied = true;
    try {
        for (int number = 1; copied && number <= kit::DefaultArmpatches; ++number) {
            showProgress("Tessaly [Installing Default Armpatch Image Files]");
            copied = copyIntoArmpatchFolder(stem + std::to_string(number) + ".ivb");
        }
    } catch (const std::exception&) {
        box("Error, copying files to '" + installationdir, platform::BoxIcon::Critical);
        copied = false;
    }
    const bool named = nameArmpatchCopies();
    return copied && named;
}
