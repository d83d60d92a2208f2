#pragma once

#include <QStyledItemDelegate>

// Draws the rows of a NameListModel, each on one line and all as tall as a line of text: an
// icon beside a name must not make its row taller. The lists lay out their rows from a single
// row's size, so that size is the widest row's, and a list scrolls sideways exactly when a
// name does not fit.
class NameRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    // How far the row's name is set in from the list's left edge.
    virtual int indentation(const QStyleOptionViewItem& option, int row) const;
};
