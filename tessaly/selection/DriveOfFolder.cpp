#include "DriveOfFolder.h"

namespace {

bool Holds(const std::string& root, const std::string& folder) {
    if (folder.compare(0, root.size(), root) != 0)
        return false;
    return folder.size() == root.size() || root.back() == '/' || folder[root.size()] == '/';
}

} // namespace

std::string DriveOfFolder(const std::string& folder, const std::vector<platform::Drive>& drives) {
    std::string best;
    for (const auto& drive : drives)
        if (!drive.root.empty() && drive.root.size() > best.size() && Holds(drive.root, folder))
            best = drive.root;
    return best;
}
