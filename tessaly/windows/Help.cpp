#include "tessaly/Main.h"
#include "tessaly/common/KitFiles.h"

// The desktop's viewer gets the help file's path as its one argument, with no shell between,
// so blanks or quotes in the program's folder need no quoting.
void Main::cmdHelp_Click() {
    const std::string helpFile = kitFile(kit::HelpFile);
    setWindowTitle("Tessaly [Loading Help File]");
    if (!services_.launcher.startDetached("xdg-open", {helpFile})) {
        box("Error, could not load Help file", platform::BoxIcon::Critical);
        setWindowTitle("Tessaly [Error Loading Help File]");
    }
}
