#include "DirListBox.h"
#include "DriveListBox.h"
#include "FileListBox.h"
#include "Main.h"
#include "TypeFilter.h"
#include "tessaly/common/KitFiles.h"
#include "tessaly/startup/SettingsFile.h"

#include <QComboBox>

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
    WriteINI("Browse For File", "DefaultDrive", DriveList->drive(), settingsPath());
    WriteINI("Browse For File", "DefaultDirectory", DirList->path(), settingsPath());
}

void Main::Form_Click() {
    cue(kit::cue::BackgroundClick, platform::Wait::No);
}

void Main::Logo_Click() {
    cue(kit::cue::LogoClick, platform::Wait::UntilEnd);
    cue(kit::cue::Ok, platform::Wait::No);
}
