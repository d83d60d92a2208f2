#include "PathListBox.h"

#include "ListCorner.h"
#include "tessaly/common/CharacterKey.h"
#include "tessaly/common/ShownName.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <algorithm>

PathListBox::PathListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    KeepDesktopCorner(*this);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!changing_)
            emit selectionChanged();
    });
}

void PathListBox::insertPath(int row, const std::string& path) {
    const QScopedValueRollback guard(changing_, true);
    auto* entry = new QListWidgetItem(ShownName(path));
    entry->setData(Qt::UserRole, QByteArray::fromStdString(path));
    insertItem(row, entry);
}

void PathListBox::removePath(int row) {
    const QScopedValueRollback guard(changing_, true);
    delete takeItem(row);
    // A single-selection view selects the next entry in place of a removed one; undo that.
    selectionModel()->clear();
}

void PathListBox::clearPaths() {
    const QScopedValueRollback guard(changing_, true);
    clear();
}

std::string PathListBox::path(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry ? entry->data(Qt::UserRole).toByteArray().toStdString() : std::string{};
}

std::vector<std::string> PathListBox::paths() const {
    std::vector<std::string> all;
    for (int row = 0; row < count(); ++row)
        all.push_back(path(row));
    return all;
}

int PathListBox::selectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

int PathListBox::topRow() const {
    return std::max(indexAt(QPoint(0, 0)).row(), 0);
}

void PathListBox::keyPressEvent(QKeyEvent* event) {
    if (const auto code = CharacterCode(*event)) {
        emit characterKey(*code);
        return;
    }
    QListWidget::keyPressEvent(event);
}
