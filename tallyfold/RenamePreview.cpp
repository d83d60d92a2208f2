#include "RenamePreview.h"

#include "BatchRename.h"
#include "platform/VisibleControls.h"

#include <algorithm>

NameSet AllNames(const platform::FolderNames& names) {
    NameSet all(names.files.begin(), names.files.end());
    all.insert(names.others.begin(), names.others.end());
    return all;
}

std::vector<bool> TakenOnArrival(const NumberedRenames& plan, NameSet taken) {
    std::vector<bool> marks;
    marks.reserve(plan.renamings.size());
    for (const Renaming& renaming : plan.renamings) {
        const std::string_view newName = FileNameOf(renaming.newPath);
        const bool mark = taken.contains(newName);
        if (!mark) {
            taken.erase(FileNameOf(renaming.oldPath));
            taken.insert(newName);
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
