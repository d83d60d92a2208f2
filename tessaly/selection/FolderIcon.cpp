#include "FolderIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Drawn in a 16 x 16 square on a pixmap of `density` device pixels to the pixel.
QPixmap Draw(FolderLook look, int density) {
    QPixmap pixmap(16 * density, 16 * density);
    pixmap.setDevicePixelRatio(density);
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
    return pixmap;
}

// Sharp on a screen at the usual density and at twice it.
QIcon Draw(FolderLook look) {
    QIcon icon;
    for (const int density : {1, 2})
        icon.addPixmap(Draw(look, density));
    return icon;
}

} // namespace

const QIcon& FolderIcon(FolderLook look) {
    static const QIcon closed = Draw(FolderLook::Closed);
    static const QIcon open = Draw(FolderLook::Open);
    return look == FolderLook::Open ? open : closed;
}
