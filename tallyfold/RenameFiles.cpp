// The rename command: the whole run, from the questions before it to the report after it.
#include "BatchRename.h"
#include "FolderCaption.h"
#include "Rename.h"
#include "RenamePreview.h"

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <exception>

namespace {

std::string HintText(Placement placement, const std::string& labelText) {
    const std::string other = placement == Placement::Prefix ? "suffix" : "prefix";
    if (labelText.empty())
        return "Try renaming all files with " + other + "...";
    return "Try renaming all files with " + other + " or leave " + other + " field blank...";
}

// The batch and what the user reads of it before saying Yes. A folder that cannot be listed
// leaves its failure here, to be reported where the run would have met it.
struct Prepared {
    PreparedBatch batch;
    std::string preview;
    std::exception_ptr failure;
};

Prepared Prepare(const std::string& folder, const std::string& label, Placement placement) {
    Prepared prepared;
    try {
        prepared.batch = PrepareBatch(folder, label, placement);
        prepared.preview = RenamePreview(prepared.batch.plan, prepared.batch.taken);
    } catch (const std::exception&) {
        prepared.failure = std::current_exception();
    }
    return prepared;
}

} // namespace

void Rename::cmdRename_Click() {
    using platform::BoxAnswer;
    using platform::BoxButtons;
    using platform::BoxIcon;

    const std::string caption = lblDir->folder();
    if (caption.empty()) {
        box("Please select directory containing the files to be renamed.", BoxIcon::Warning);
        return;
    }
    const std::string labelText = QFile::encodeName(txtName->text()).toStdString();
    const std::string label = TrimBlanks(labelText);
    const Placement placement = optPrefix->isChecked() ? Placement::Prefix : Placement::Suffix;
    if (const std::string problem = LabelProblem(label, placement); !problem.empty()) {
        box(problem, BoxIcon::Warning);
        return;
    }
    const std::string folder = BatchFolder(caption);

    Prepared prepared;
    {
        const tallyfold::BusyWhileAlive busy(services_.pointer, *this);
        prepared = Prepare(folder, label, placement);
    }
    if (box("Rename all files in " + TrimBlanks(caption) + " ?", BoxIcon::None, BoxButtons::YesNo,
            prepared.preview) != BoxAnswer::Yes) {
        box("Renaming files cancelled.", BoxIcon::Warning);
        return;
    }

    bool failed = false;
    {
        const tallyfold::BusyWhileAlive busy(services_.pointer, *this);
        try {
            if (prepared.failure)
                std::rethrow_exception(prepared.failure);
            if (prepared.batch.plan.renamings.empty()) {
                box("No files in " + caption +
                        " to be deleted, please select a directory containing Files.",
                    BoxIcon::Warning);
                return;
            }
            const auto ask = [&](const std::string& oldPath, const std::string& newPath) {
                failed = true;
                return services_.boxes.show(
                           {"Rename files", RenameErrorQuestion(oldPath, newPath, placement),
                            BoxIcon::Question, BoxButtons::YesNo}) == BoxAnswer::Yes;
            };
            if (RunBatch(prepared.batch, ask) == PassEnd::Stopped) {
                box(HintText(placement, labelText), BoxIcon::Information);
                return;
            }
        } catch (const std::exception& error) {
            box(error.what(), BoxIcon::Critical);
            return;
        }
    }
    if (failed)
        box(HintText(placement, labelText), BoxIcon::Information);
    else
        box("Successfully renamed the " + std::to_string(prepared.batch.plan.renamings.size()) +
                " files in " + caption + ".",
            BoxIcon::None);
}
