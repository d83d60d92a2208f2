#include "tessaly/Main.h"
#include "tessaly/common/BusyPointer.h"
#include "tessaly/common/IsLoaded.h"
#include "tessaly/common/KitFiles.h"

#include <QCloseEvent>

// The cue sounds to its end before any window goes; once the main window is unloaded no window
// of the kit is left, and the program ends.
void Main::cmdQuit_Click() {
    {
        const BusyPointer busy(*this);
        cue(kit::cue::Quit, platform::Wait::UntilEnd);
        Form_Unload();
    }
    Unload();
}

// The credits belong to no window, so closing the main window by its frame would otherwise
// leave them open and the program running without the window that started it. Quit closes them
// itself before the main window, and then finds nothing left here.
void Main::Form_Unload() {
    IsLoaded(services_.boxes, "Credits", true);
    IsLoaded(services_.boxes, "Splash", true);
}

void Main::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QWidget::closeEvent(event);
}
