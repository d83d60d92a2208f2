#pragma once

#include <QWidget>

// The hourglass over a window for as long as this guard lives: the normal pointer comes back
// on every way out of the scope, exceptions included. Guards nest (a handler may run inside
// another one's pass over queued events): only the outermost one gives the pointer back.
class BusyPointer {
public:
    explicit BusyPointer(QWidget& window) : window_(window) {
        if (depth() == 0)
            window_.setCursor(Qt::WaitCursor);
        setDepth(depth() + 1);
    }
    ~BusyPointer() {
        setDepth(depth() - 1);
        if (depth() == 0)
            window_.unsetCursor();
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    int depth() const { return window_.property(DepthProperty).toInt(); }
    void setDepth(int depth) { window_.setProperty(DepthProperty, depth); }

    static constexpr const char* DepthProperty = "busyPointerDepth";
    QWidget& window_;
};
