#include "HelpText.h"
#include "tessaly/Main.h"
#include "tessaly/common/KitFiles.h"

#include <chrono>

namespace {

// A viewer that fails does so at once: xdg-open finds none for a text file, or the one it
// starts cannot open the file. Past this, it is taken to be showing the text.
constexpr std::chrono::seconds ViewerWatch{5};

bool ViewerFailed(platform::Watched viewer) {
    return viewer == platform::Watched::NotStarted || viewer == platform::Watched::Failed;
}

} // namespace

// The desktop's viewer gets the help file's path as its one argument, with no shell between,
// so blanks or quotes in the program's folder need no quoting. Where it fails, the kit shows the
// text itself; only a help file that cannot be read is an error.
void Main::cmdHelp_Click() {
    const std::string helpFile = kitFile(kit::HelpFile);
    setWindowTitle("Tessaly [Loading Help File]");
    services_.launcher.startDetached(
        "xdg-open", {helpFile}, ViewerWatch, *this, [this, helpFile](platform::Watched viewer) {
            if (ViewerFailed(viewer) && !ShowHelpText(*this, helpFile)) {
                box("Error, could not load Help file", platform::BoxIcon::Critical);
                setWindowTitle("Tessaly [Error Loading Help File]");
            }
        });
}
