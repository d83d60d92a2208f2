#pragma once

#include "tessaly/selection/NameListModel.h"

#include <QAbstractItemView>
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

// Reading and clicking the rows of the browser's list views as a user sees and uses them.

// The names that a folder or file list shows, as their bytes.
inline std::vector<std::string> Rows(const QAbstractItemView& view) {
    std::vector<std::string> rows;
    for (int row = 0; row < view.model()->rowCount(); ++row)
        rows.push_back(
            view.model()->index(row, 0).data(NameListModel::BytesRole).toByteArray().toStdString());
    return rows;
}

// The row that shows `name`; the row count when none does.
inline int RowOf(const QAbstractItemView& view, const std::string& name) {
    const std::vector<std::string> rows = Rows(view);
    return static_cast<int>(std::find(rows.begin(), rows.end(), name) - rows.begin());
}

// Where a user clicks a row: its middle, scrolled into sight first.
inline QPoint CentreOf(QAbstractItemView& view, int row) {
    const QModelIndex index = view.model()->index(row, 0);
    view.scrollTo(index);
    return view.visualRect(index).center();
}

inline void Click(QAbstractItemView& view, int row) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, CentreOf(view, row));
}

// As a window system delivers it: a click, then the second press as a double click.
inline void DoubleClick(QAbstractItemView& view, int row) {
    Click(view, row);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, CentreOf(view, row));
}
