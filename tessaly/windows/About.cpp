#include "Credits.h"
#include "tessaly/Main.h"

#include <QApplication>

namespace {

// The credits window that is open, if any. A closed one is only waiting to be destroyed by the
// event loop: showing it again would lose it at once.
Credits* OpenCredits() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* credits = qobject_cast<Credits*>(window);
        if (credits && credits->isVisible())
            return credits;
    }
    return nullptr;
}

} // namespace

// The credits window belongs to no other window, so the main window stays usable beside it.
void Main::cmdAbout_Click() {
    Credits* credits = OpenCredits();
    if (!credits) {
        credits = new Credits(services_);
        credits->Form_Load();
    }
    credits->showNormal();
    credits->raise();
    credits->activateWindow();
}
