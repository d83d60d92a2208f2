#include "ArmpatchChange.h"
#include "tessaly/Main.h"
#include "tessaly/common/BusyPointer.h"

namespace {

std::string UndoQuestion(const UndoOffer& offer) {
    const std::string undo = "Undo the last " + NameOf(offer.command) + "? ";
    if (offer.pictures == 0)
        return undo + "The armpatch folder held no pictures before it; the pictures there now go "
                      "to the trash.";
    const std::string pictures =
        offer.pictures == 1 ? "The 1 picture that was"
                            : "The " + std::to_string(offer.pictures) + " pictures that were";
    return undo + pictures + " in the armpatch folder before it " +
           (offer.pictures == 1 ? "comes" : "come") +
           " back, and the pictures there now go to the trash.";
}

} // namespace

// Takes back the last Install or Defaults on the game, which its journal tells even after a
// restart or a kill. The question says what comes back; Yes is its default answer.
void Main::mnuUndo_Click() {
    const BusyPointer busy(*this);
    if (Ironvaledirectory.empty()) {
        box("There is nothing to undo.", platform::BoxIcon::Information);
        return;
    }
    installationdir = Ironvaledirectory + "data/armpatch/";
    ArmpatchChange change(Ironvaledirectory);
    if (saysBusy(change))
        return;
    const std::optional<UndoOffer> offer = change.undoOffer();
    if (!offer) {
        box("There is nothing to undo.", platform::BoxIcon::Information);
        return;
    }
    if (box(UndoQuestion(*offer), platform::BoxIcon::None, platform::BoxButtons::YesNo) !=
        platform::BoxAnswer::Yes)
        return;
    if (change.undo(services_.boxes))
        box("The armpatch folder is as it was before the last " + NameOf(offer->command) + ".",
            platform::BoxIcon::Information);
}

// The right-click menu's entry, empty when there is nothing to undo.
QString Main::undoEntry() const {
    if (Ironvaledirectory.empty())
        return {};
    const std::optional<UndoOffer> offer = FindUndo(Ironvaledirectory);
    return offer ? QString::fromStdString("Undo Last " + NameOf(offer->command)) : QString();
}
