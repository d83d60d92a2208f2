#include "tessaly/Main.h"
#include "tessaly/common/KitFiles.h"

// The remembered installation stays in the settings file: the next start brings it back.
void Main::cmdClear_Click() {
    cue(kit::cue::Clear, platform::Wait::No);
    emptyInstallationList();
}
