#include "RenumberFolder.h"

#include "platform/FolderListing.h"

PassEnd RenumberFolder(const std::string& folder, const std::string& word, const Proceed& proceed) {
    const auto names = platform::ListFiles(folder, "*.*", platform::Order::Natural);
    return ApplyRenames(PlanNumberedRenames(folder, names, word, Placement::Prefix), proceed);
}
