#pragma once

#include <QAbstractItemView>
#include <QTest>

// Mouse clicks on a row of a list view, where a user would click: the middle of the row,
// scrolled into sight first.
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
