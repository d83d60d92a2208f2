#include "DirListBox.h"
#include "DriveListBox.h"
#include "FileListBox.h"
#include "TypeFilter.h"
#include "tessaly/Main.h"
#include "tessaly/common/KitFiles.h"
#include "tessaly/common/SettingsFile.h"

#include <QComboBox>
#include <QSignalBlocker>

void Main::DriveList_Change() {
    try {
        DirList->setPath(DriveList->drive());
    } catch (const std::exception&) {
        // The folder and file lists keep the folder they showed.
        box("Error, device currently unavailable.", platform::BoxIcon::Critical);
    }
}

void Main::DriveList_KeyPress(int /*KeyAscii*/) {
    DriveList_Change();
}

void Main::DirList_Change() {
    try {
        FileList->setPath(DirList->path());
    } catch (const std::exception&) {
        // A folder that vanished between the two lists: the file list keeps what it showed.
    }
}

void Main::PatternCombo_Click() {
    FileList->setPattern(PatternOf(PatternCombo->currentText().toStdString()));
}

void Main::SaveBrowsePosition() {
    const std::string drive = DriveList->drive();
    const std::string folder = DirList->path();
    // A position that would read back cut short would send the next start elsewhere, or stop
    // it when that place cannot be set: the earlier position is the better one to keep.
    if (!settings::readsBack(drive) || !settings::readsBack(folder))
        return;
    WriteINI("Browse For File", "DefaultDrive", drive, settingsPath());
    WriteINI("Browse For File", "DefaultDirectory", folder, settingsPath());
}

void Main::Form_Click() {
    cue(kit::cue::BackgroundClick, platform::Wait::No);
}

void Main::Logo_Click() {
    cue(kit::cue::LogoClick, platform::Wait::UntilEnd);
    cue(kit::cue::Ok, platform::Wait::No);
}

// Start-up's restore of the remembered position: each non-empty text is set in turn, and a
// drive or folder that cannot be reached fails with the panes' own error. Start-up opens the
// drive itself rather than through the drive list's change handler, whose box would speak
// where start-up's failures must end it quietly.
void Main::showBrowsePosition(const std::string& drive, const std::string& folder) {
    if (!drive.empty()) {
        {
            const QSignalBlocker quiet(DriveList);
            DriveList->setDrive(drive);
        }
        DirList->setPath(DriveList->drive());
    }
    if (!folder.empty())
        DirList->setPath(folder);
}

void Main::fillTypeFilter() {
    {
        // Listing the entries must not choose one: only the starting choice sets the pattern.
        const QSignalBlocker quiet(PatternCombo);
        for (const char* entry : TypeFilterEntries)
            PatternCombo->addItem(QString::fromUtf8(entry));
        PatternCombo->setCurrentIndex(-1);
    }
    PatternCombo->setCurrentIndex(StartingTypeFilter);
}
