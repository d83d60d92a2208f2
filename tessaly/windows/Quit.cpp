#include "tessaly/Main.h"
#include "tessaly/common/BusyPointer.h"
#include "tessaly/common/IsLoaded.h"
#include "tessaly/common/KitFiles.h"

// The cue sounds to its end before any window goes; once the main window is unloaded no window
// of the kit is left, and the program ends.
void Main::cmdQuit_Click() {
    {
        const BusyPointer busy(*this);
        cue(kit::cue::Quit, platform::Wait::UntilEnd);
        IsLoaded(services_.boxes, "Credits", true);
        IsLoaded(services_.boxes, "Splash", true);
    }
    Unload();
}
