#include "RenamePreview.h"

#include "BatchRename.h"
#include "platform/VisibleControls.h"

#include <algorithm>
#include <filesystem>

std::unordered_set<std::string> NamesInFolder(const std::string& folder) {
    std::unordered_set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().native());
    return names;
}

std::vector<bool> TakenOnArrival(const NumberedRenames& plan,
                                 std::unordered_set<std::string> taken) {
    std::vector<bool> marks;
    marks.reserve(plan.renamings.size());
    for (const Renaming& renaming : plan.renamings) {
        std::string newName(FileNameOf(renaming.newPath));
        const bool mark = taken.contains(newName);
        if (!mark) {
            taken.erase(std::string(FileNameOf(renaming.oldPath)));
            taken.insert(std::move(newName));
        }
        marks.push_back(mark);
    }
    return marks;
}

std::string RenamePreview(const NumberedRenames& plan, const std::vector<bool>& taken) {
    if (plan.renamings.empty())
        return {};
    std::string text = std::to_string(plan.renamings.size()) + " files, " +
                       std::to_string(std::count(taken.begin(), taken.end(), true)) +
                       " marked (already exists)";
    for (std::size_t i = 0; i < plan.renamings.size(); ++i) {
        text += '\n';
        platform::AppendVisible(text, FileNameOf(plan.renamings[i].oldPath));
        text += " -> ";
        platform::AppendVisible(text, FileNameOf(plan.renamings[i].newPath));
        if (taken[i])
            text += TakenMark;
    }
    return text;
}
