#include "PathListBox.h"

#include "tessaly/common/CharacterKey.h"
#include "tessaly/common/ShownName.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

// Rows that ask for no width of their own: the list lays each out as wide as itself.
class ListWideRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {0, QStyledItemDelegate::sizeHint(option, index).height()};
    }
};

} // namespace

PathListBox::PathListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    // Every entry is as wide as the list, however long its path: the path is shortened in its
    // middle to fit, rather than cut at the right where paths differ least.
    setTextElideMode(Qt::ElideMiddle);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new ListWideRows(this));
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!changing_)
            emit selectionChanged();
    });
}

void PathListBox::insertPath(int row, const std::string& path) {
    const QScopedValueRollback guard(changing_, true);
    auto* entry = new QListWidgetItem(ShownName(path));
    entry->setToolTip(entry->text());
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
    if (event->matches(QKeySequence::Delete)) {
        emit deleteKey();
        return;
    }
    QListWidget::keyPressEvent(event);
}
