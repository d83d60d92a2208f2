#include "FolderIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QIcon Draw(FolderLook look) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor edge(150, 110, 20);
    painter.setPen(QPen(edge, 1));

    painter.setBrush(QColor(230, 180, 60)); // back with its tab
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6.5, 3.5);
    back.lineTo(7.5, 5.0);
    back.lineTo(14.5, 5.0);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    painter.drawPath(back);

    painter.setBrush(QColor(250, 212, 100)); // front flap, tilted when open
    if (look == FolderLook::Open)
        painter.drawPolygon(QPolygonF{{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}});
    else
        painter.drawRect(QRectF(1.5, 6.5, 13, 7));
    return QIcon(pixmap);
}

} // namespace

const QIcon& FolderIcon(FolderLook look) {
    static const QIcon closed = Draw(FolderLook::Closed);
    static const QIcon open = Draw(FolderLook::Open);
    return look == FolderLook::Open ? open : closed;
}
