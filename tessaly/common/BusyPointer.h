#pragma once

#include <QWidget>

// The hourglass over a window for as long as this guard lives: the normal pointer comes back
// on every way out of the scope, exceptions included.
class BusyPointer {
public:
    explicit BusyPointer(QWidget& window) : window_(window) { window_.setCursor(Qt::WaitCursor); }
    ~BusyPointer() { window_.unsetCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    QWidget& window_;
};
