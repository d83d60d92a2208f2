#include "FileListBox.h"

#include "ListCorner.h"
#include "NameListModel.h"
#include "NameRowDelegate.h"
#include "platform/FolderListing.h"
#include "tessaly/common/CharacterKey.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <stdexcept>

FileListBox::FileListBox(QWidget* parent) : QListView(parent), model_(new NameListModel(this)) {
    setModel(model_);
    setItemDelegate(new NameRowDelegate(this));
    setUniformItemSizes(true);
    KeepDesktopCorner(*this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QAbstractItemView::doubleClicked, this, [this] { emit doubleClicked(); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!refreshing_) {
            emit selectionChanged();
        }
    });
}

void FileListBox::setPath(const std::string& path) {
    showNames(platform::ListFiles(path, pattern_));
    path_ = path;
}

void FileListBox::setPattern(const std::string& pattern) {
    pattern_ = pattern;
    if (path_.empty()) {
        return;
    }
    std::vector<std::string> names;
    try {
        names = platform::ListFiles(path_, pattern_);
    } catch (const std::runtime_error&) {
        // The folder has gone since it was listed, and with it its files.
    }
    showNames(std::move(names));
}

std::string FileListBox::fileName() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? std::string()
                              : model_->names()[static_cast<std::size_t>(selected.front().row())];
}

void FileListBox::keyPressEvent(QKeyEvent* event) {
    if (const auto code = CharacterCode(*event)) {
        emit characterKey(*code);
    }
    QListView::keyPressEvent(event);
}

void FileListBox::showNames(std::vector<std::string> names) {
    const QScopedValueRollback guard(refreshing_, true);
    model_->setNames(std::move(names));
    scrollToTop();
}
