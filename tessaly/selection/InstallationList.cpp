#include "AddRequest.h"
#include "FileListBox.h"
#include "FullPath.h"
#include "PathListBox.h"
#include "tessaly/Main.h"

void Main::FileList_DblClick() {
    addSelectedFile();
}

void Main::FileList_KeyPress(int /*KeyAscii*/) {
    addSelectedFile();
}

void Main::LstFiles_DblClick() {
    removeSelectedEntry();
}

void Main::LstFiles_KeyPress(int /*KeyAscii*/) {
    removeSelectedEntry();
}

// Where a user of today looks first to take an entry off a list.
void Main::LstFiles_DeleteKey() {
    removeSelectedEntry();
}

// A request with no file selected adds nothing, quietly; it is still an add request, so the
// browse position is saved as after any other.
void Main::addSelectedFile() {
    const std::string path = FullPath(FileList->path(), FileList->fileName());
    switch (CheckAdd(cntr, path, LstFiles->paths())) {
    case AddOutcome::ListFull:
        box("Ironvale supports only 20 armpatch files", platform::BoxIcon::Information);
        break;
    case AddOutcome::AlreadyListed:
        box("File '" + path + "' is already in list.", platform::BoxIcon::Warning);
        break;
    case AddOutcome::Insert:
        LstFiles->insertPath(LstFiles->topRow(), path);
        ++cntr;
        break;
    case AddOutcome::NothingChosen:
        break;
    }
    SaveBrowsePosition();
}

void Main::removeSelectedEntry() {
    const int row = LstFiles->selectedRow();
    if (row < 0)
        return;
    LstFiles->removePath(row);
    --cntr;
}

// Start-up restores the remembered entries in their stored order, each after the last.
void Main::appendListEntry(const std::string& path) {
    LstFiles->insertPath(LstFiles->count(), path);
    ++cntr;
}

// Clear empties the list; the counter follows it, as after every change of the list.
void Main::emptyInstallationList() {
    LstFiles->clearPaths();
    cntr = 0;
}

std::vector<std::string> Main::listEntries() const {
    return LstFiles->paths();
}
