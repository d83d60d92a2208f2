#include "RenamePreview.h"

#include "platform/VisibleControls.h"

#include <filesystem>
#include <string_view>

namespace {

std::string_view NameOf(const std::string& path) {
    return std::string_view(path).substr(path.rfind('/') + 1);
}

} // namespace

std::unordered_set<std::string> NamesInFolder(const std::string& folder) {
    std::unordered_set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().native());
    return names;
}

std::string RenamePreview(const NumberedRenames& plan, std::unordered_set<std::string> taken) {
    std::string text;
    for (const Renaming& renaming : plan.renamings) {
        const std::string_view oldName = NameOf(renaming.oldPath);
        const std::string newName(NameOf(renaming.newPath));
        if (!text.empty())
            text += '\n';
        platform::AppendVisible(text, oldName);
        text += " -> ";
        platform::AppendVisible(text, newName);
        if (taken.contains(newName)) {
            text += TakenMark;
        } else {
            taken.erase(std::string(oldName));
            taken.insert(newName);
        }
    }
    return text;
}
