#include "NameListModel.h"

#include "tessaly/common/ShownName.h"

void NameListModel::setNames(std::vector<std::string> names) {
    beginResetModel();
    names_ = std::move(names);
    endResetModel();
}

int NameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const std::string& name = names_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return ShownName(name);
    case BytesRole:
        return QByteArray::fromStdString(name);
    default:
        return {};
    }
}
