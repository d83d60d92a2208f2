#include "UndoBatch.h"

#include "platform/PendingFile.h"
#include "platform/VisibleControls.h"
#include "tessaly/install/RenameFile.h"

#include <string_view>

namespace tallyfold {

std::vector<Renaming> RenamesToTakeBack(const Batch& batch, const NameSet& names) {
    NameSet oldNames;
    for (const Renaming& renaming : batch.renamings)
        oldNames.insert(renaming.oldPath);
    const auto made = [&](const Renaming& renaming) {
        return names.contains(renaming.newPath) &&
               (!names.contains(renaming.oldPath) || !oldNames.contains(renaming.newPath));
    };
    std::size_t end = batch.renamings.size();
    while (end > 0 && !made(batch.renamings[end - 1]))
        --end;
    std::vector<Renaming> back;
    for (std::size_t i = end; i-- > 0;) {
        const Renaming& renaming = batch.renamings[i];
        if (names.contains(renaming.newPath))
            back.push_back({renaming.newPath, renaming.oldPath});
    }
    return back;
}

std::optional<UndoPlan> PlanUndo(const std::string& folder) {
    const std::string key = BatchFolderKey(folder);
    const platform::FolderNames listed = platform::ListNames(key, platform::Order::ByName);
    const NameSet names = AllNames(listed);
    for (RecordedBatch& recorded : RecordedBatches(JournalFolder(), key)) {
        std::vector<Renaming> back = RenamesToTakeBack(recorded.batch, names);
        if (!back.empty())
            return UndoPlan{recorded.file, key, std::move(back)};
        ForgetBatch(recorded.file);
    }
    return std::nullopt;
}

UndoOutcome ApplyUndo(const UndoPlan& plan) {
    const std::string base = plan.folder.ends_with('/') ? plan.folder : plan.folder + '/';
    UndoOutcome outcome{plan.back.size(), {}};
    for (const Renaming& renaming : plan.back)
        if (!RenameFile(base + renaming.oldPath, base + renaming.newPath))
            outcome.kept.push_back(renaming);
    // The names must be on disk before the batch leaves the journal, or a crash could lose both.
    platform::SyncFolder(plan.folder);
    ForgetBatch(plan.file);
    return outcome;
}

std::string UndoQuestion(std::size_t files, const std::string& folder) {
    return "Undo the renaming of " + std::to_string(files) + " files in " + folder + "?";
}

std::string NothingToUndo(const std::string& folder) {
    return "There is no renaming to undo in " + folder + ".";
}

UndoReport ReportUndo(const UndoOutcome& outcome, const std::string& folder) {
    const std::string files = std::to_string(outcome.files);
    if (outcome.kept.empty())
        return {"The " + files + " files in " + folder + " have their old names again.", {}, true};
    UndoReport report{std::to_string(outcome.files - outcome.kept.size()) + " of the " + files +
                          " files in " + folder + " have their old names again. The other " +
                          std::to_string(outcome.kept.size()) +
                          " keep their new names, as their old names are taken now.",
                      {},
                      false};
    for (const Renaming& renaming : outcome.kept) {
        if (!report.details.empty())
            report.details += '\n';
        platform::AppendVisible(report.details, renaming.oldPath);
        report.details += " -> ";
        platform::AppendVisible(report.details, renaming.newPath);
    }
    return report;
}

int UndoOnCommandLine(const std::string& folder, std::ostream& out, std::ostream& err) {
    try {
        const std::optional<UndoPlan> plan = PlanUndo(folder);
        if (!plan) {
            out << NothingToUndo(folder) << '\n';
            return 1;
        }
        const UndoReport report = ReportUndo(ApplyUndo(*plan), folder);
        out << report.text << '\n';
        if (!report.details.empty())
            out << report.details << '\n';
        return report.complete ? 0 : 1;
    } catch (const std::exception& failure) {
        err << "tallyfold: " << failure.what() << '\n';
        return 1;
    }
}

} // namespace tallyfold
