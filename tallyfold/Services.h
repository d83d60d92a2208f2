#pragma once

#include "platform/ItemChooser.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"

class QWidget;

namespace tallyfold {

// The mouse pointer over a window.
class Pointer {
public:
    virtual ~Pointer() = default;
    // The hourglass while `busy`, the normal pointer otherwise.
    virtual void setBusy(QWidget& window, bool busy) = 0;
};

// The hourglass over `window` for as long as this guard lives: the normal pointer comes back on
// every way out of the scope, exceptions included.
class BusyWhileAlive {
public:
    BusyWhileAlive(Pointer& pointer, QWidget& window) : pointer_(pointer), window_(window) {
        pointer_.setBusy(window_, true);
    }
    ~BusyWhileAlive() { pointer_.setBusy(window_, false); }
    BusyWhileAlive(const BusyWhileAlive&) = delete;
    BusyWhileAlive& operator=(const BusyWhileAlive&) = delete;

private:
    Pointer& pointer_;
    QWidget& window_;
};

// What Tallyfold needs from the desktop that a test cannot do for real. main() builds the real
// ones; tests hand in fakes. The services outlive the window.
struct Services {
    platform::MessageBoxes& boxes;
    platform::ItemChooser& chooser;
    Pointer& pointer;
    platform::ProgramFolder& programFolder; // where the banner and the icon lie
};

} // namespace tallyfold
