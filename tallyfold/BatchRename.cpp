#include "BatchRename.h"

#include "platform/FolderListing.h"

#include <stdexcept>

std::string TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string BatchFolder(std::string_view caption) {
    std::string folder = TrimBlanks(caption);
    if (!folder.ends_with('/'))
        folder += '/';
    return folder;
}

bool FitsInFileName(std::string_view label) {
    return label.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

NumberedRenames PlanBatch(const std::string& folder, std::string_view label, Placement placement) {
    const std::vector<std::string> names = platform::ListFiles(folder, "*.*");
    if (names.size() > MostFilesInABatch)
        throw std::overflow_error("Overflow");
    return PlanNumberedRenames(folder, names, label, placement);
}
