#pragma once

#include <QAbstractListModel>
#include <string>
#include <vector>

// A flat list of names that the folder and file lists show. The names stay the bytes that came
// from the disk (BytesRole); only the shown text is decoded (ShownName), and only for the rows
// that are asked for, so a list of 100,000 names costs nothing until it is drawn.
class NameListModel : public QAbstractListModel {
    Q_OBJECT

public:
    static constexpr int BytesRole = Qt::UserRole;

    using QAbstractListModel::QAbstractListModel;

    // Replaces the whole list in one reset.
    void setNames(std::vector<std::string> names);
    const std::vector<std::string>& names() const { return names_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<std::string> names_;
};
