#include "RenamePreview.h"

#include <filesystem>
#include <string_view>

namespace {

std::string_view NameOf(const std::string& path) {
    return std::string_view(path).substr(path.rfind('/') + 1);
}

// Control characters show as the matching character of the Unicode block "Control Pictures"
// (U+2400 ...), written in UTF-8, as file names are shown.
void AppendShown(std::string& out, std::string_view name) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            out += c;
            continue;
        }
        const unsigned picture = byte == 0x7f ? 0x2421 : 0x2400 + byte;
        out += static_cast<char>(0xe0 | (picture >> 12));
        out += static_cast<char>(0x80 | ((picture >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (picture & 0x3f));
    }
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
        AppendShown(text, oldName);
        text += " -> ";
        AppendShown(text, newName);
        if (taken.contains(newName)) {
            text += TakenMark;
        } else {
            taken.erase(std::string(oldName));
            taken.insert(newName);
        }
    }
    return text;
}
