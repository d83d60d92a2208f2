#include "WindowStyle.h"

#include <QWidget>

void FixWindowSize(QWidget& window, QSize size) {
    window.setFixedSize(size);
    // Without the first hint, the window manager's defaults stand in for the buttons asked for.
    window.setWindowFlags(window.windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint);
    window.setWindowFlag(Qt::WindowMaximizeButtonHint, false);
}

void StyleOwnControls(QWidget& window, const char* rules) {
    window.setStyleSheet(QString(rules).replace("WINDOW", "#" + window.objectName()));
}
