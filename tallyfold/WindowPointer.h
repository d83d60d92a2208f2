#pragma once

#include "Services.h"

#include <QWidget>

namespace tallyfold {

// The pointer of the window itself; message boxes over it keep their own.
class WindowPointer : public Pointer {
public:
    void setBusy(QWidget& window, bool busy) override {
        if (busy)
            window.setCursor(Qt::WaitCursor);
        else
            window.unsetCursor();
    }
};

} // namespace tallyfold
