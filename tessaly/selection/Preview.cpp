#include "ClickLabel.h"
#include "FileListBox.h"
#include "FullPath.h"
#include "PathListBox.h"
#include "PreviewName.h"
#include "PreviewPicture.h"
#include "tessaly/Main.h"
#include "tessaly/common/BusyPointer.h"
#include "tessaly/common/KitFiles.h"
#include "tessaly/common/ShownName.h"

#include <QCoreApplication>

namespace {

QString PreviewCaption(const std::string& path) {
    return "Tessaly [" + ShownName(path) + "]";
}

} // namespace

void Main::FileList_Click() {
    const std::string selected = FullPath(FileList->path(), FileList->fileName());
    if (!selected.empty())
        setWindowTitle(PreviewCaption(selected));
    preview(selected);
}

void Main::LstFiles_Click() {
    if (const auto shown = preview(LstFiles->path(LstFiles->selectedRow())))
        setWindowTitle(PreviewCaption(*shown));
}

void Main::FileImage_Click() {
    cue(kit::cue::PreviewClick, platform::Wait::No);
}

// Events already queued run first, so that the caption and the busy pointer are drawn before a
// slow load; they may hold a further selection, which previews its own file inside this one.
// Only `selected`, taken before that, is used afterwards. Gives the name of the picture that
// is shown, or nothing when there is none: the caption then says so and the old picture stays.
std::optional<std::string> Main::preview(const std::string& selected) {
    if (!selected.empty()) {
        const BusyPointer busy(*this);
        QCoreApplication::processEvents();
        if (const auto name = PreviewName(selected)) {
            if (const auto picture = LoadPreviewPicture(*name, FileImage->contentsRect().size())) {
                FileImage->setPixmap(QPixmap::fromImage(*picture));
                return name;
            }
        }
    }
    setWindowTitle("Tessaly [Image Preview Unavailable]");
    return std::nullopt;
}
