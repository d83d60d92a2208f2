// The undo command: takes back the last renaming in the chosen folder, after asking.
#include "BatchRename.h"
#include "FolderCaption.h"
#include "Rename.h"
#include "UndoBatch.h"

#include <exception>
#include <optional>

void Rename::cmdUndo_Click() {
    using platform::BoxIcon;

    const std::string caption = lblDir->folder();
    if (caption.empty()) {
        box("Please select the directory whose renaming is to be undone.", BoxIcon::Warning);
        return;
    }
    const std::string folder = TrimBlanks(caption);
    std::optional<tallyfold::UndoPlan> plan;
    try {
        const tallyfold::BusyWhileAlive busy(services_.pointer, *this);
        plan = tallyfold::PlanUndo(BatchFolder(caption));
    } catch (const std::exception& error) {
        box(error.what(), BoxIcon::Critical);
        return;
    }
    if (!plan) {
        box(tallyfold::NothingToUndo(folder), BoxIcon::Information);
        return;
    }
    if (box(tallyfold::UndoQuestion(plan->back.size(), folder), BoxIcon::None,
            platform::BoxButtons::YesNo) != platform::BoxAnswer::Yes)
        return;
    tallyfold::UndoOutcome outcome;
    {
        const tallyfold::BusyWhileAlive busy(services_.pointer, *this);
        outcome = tallyfold::ApplyUndo(*plan);
    }
    const tallyfold::UndoReport report = tallyfold::ReportUndo(outcome, folder);
    box(report.text, report.complete ? BoxIcon::Information : BoxIcon::Warning,
        platform::BoxButtons::Ok, report.details);
}
