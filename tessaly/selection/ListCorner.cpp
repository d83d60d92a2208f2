#include "ListCorner.h"

#include <QAbstractScrollArea>
#include <QApplication>

void KeepDesktopCorner(QAbstractScrollArea& list) {
    QPalette palette = list.palette();
    palette.setColor(QPalette::Window, QApplication::palette(&list).color(QPalette::Window));
    list.setPalette(palette);
}
