#include "NameRowDelegate.h"

#include "NameListModel.h"
#include "WidestRow.h"

#include <QApplication>

QSize NameRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QModelIndex widest = index;
    if (const auto* model = qobject_cast<const NameListModel*>(index.model())) {
        const int row = WidestRow(model->names(), option.fontMetrics,
                                  [&](int r) { return indentation(option, r); });
        widest = index.siblingAtRow(row);
    }
    QStyleOptionViewItem shown = option;
    initStyleOption(&shown, widest);
    const QStyle* style = shown.widget ? shown.widget->style() : QApplication::style();
    QSize size = style->sizeFromContents(QStyle::CT_ItemViewItem, &shown, {}, shown.widget);
    shown.features &= ~QStyleOptionViewItem::HasDecoration;
    size.setHeight(
        style->sizeFromContents(QStyle::CT_ItemViewItem, &shown, {}, shown.widget).height());
    return size + QSize(indentation(option, widest.row()), 0);
}

int NameRowDelegate::indentation(const QStyleOptionViewItem& /*option*/, int /*row*/) const {
    return 0;
}
