#include "PathListBox.h"

#include <QFile>

PathListBox::PathListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
}

void PathListBox::insertPath(int row, const std::string& path) {
    const QByteArray bytes = QByteArray::fromStdString(path);
    auto* entry = new QListWidgetItem(QFile::decodeName(bytes));
    entry->setData(Qt::UserRole, bytes);
    insertItem(row, entry);
}

std::string PathListBox::path(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry ? entry->data(Qt::UserRole).toByteArray().toStdString() : std::string{};
}
