#include "UndoJournal.h"
#include "platform/PendingFile.h"
#include "tessaly/Main.h"
#include "tessaly/common/BusyPointer.h"
#include "tessaly/common/Files.h"
#include "tessaly/common/KitFiles.h"
#include "tessaly/common/SettingsFile.h"
#include "tessaly/common/ShownName.h"

#include <optional>

// The completion box and its cue follow whatever the copies and renames did: they have
// reported their own failures already. Only when the old pictures could not be moved out of the
// way does the command stop before its copies.
void Main::cmdInstall_Click() {
    if (listEntries().empty()) {
        box("No files in the list to install.", platform::BoxIcon::Warning);
        return;
    }
    std::optional<BusyPointer> busy(std::in_place, *this);
    if (Ironvaledirectory.empty()) {
        box("Tessaly could not find Ironvale installed...", platform::BoxIcon::Warning);
        return;
    }
    try {
        installationdir = Ironvaledirectory + "data/armpatch/";
        if (!changeArmpatchFolder(ArmpatchCommand::Install, [this] {
                CopyListFiles();
                RenumberFiles("file");
                RenumberFiles("armpatch");
                // Both passes' new names are kept on disk by one sync.
                platform::SyncFolder(installationdir);
                return true;
            }))
            return;
        box("Ironvale Armpatch Installation Complete", platform::BoxIcon::Information);
        cue(kit::cue::Installed, platform::Wait::No);
    } catch (const std::exception& failure) {
        busy.reset();
        box(failure.what(), platform::BoxIcon::Critical);
        setWindowTitle("Tessaly [Error]");
    }
}

// Each entry is recorded before its copy, so the one whose copy fails is remembered too; the
// first failed or cancelled copy ends the run, with the entries after it neither recorded nor
// copied. The copies made take their names together at the end, and then the records reach the
// settings file in one write.
void Main::CopyListFiles() {
    const BusyPointer busy(*this);
    const std::vector<std::string> entries = listEntries();
    if (entries.empty())
        return;
    SettingsBatch records(settingsPath());
    makeArmpatchFolder();
    try {
        for (std::size_t position = 0; position < entries.size(); ++position) {
            recordListEntry(records, position, entries[position]);
            showProgress("Tessaly [Installing " + ShownName(entries[position]) + " ]");
            if (!copyIntoArmpatchFolder(entries[position]))
                break;
        }
    } catch (const std::exception&) {
        box("Error, copying files to '" + installationdir, platform::BoxIcon::Critical);
    }
    nameArmpatchCopies();
}

// Keys of later positions, from a longer list installed before, stay as they are.
void Main::recordListEntry(SettingsBatch& records, std::size_t position, const std::string& entry) {
    const std::string settings = settingsPath();
    if (FileExists(settings) || WriteTextFile(settings, ""))
        records.write("Armpatch", "file" + std::to_string(position), entry);
}
