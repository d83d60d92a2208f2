#include "platform/FolderListing.h"
#include "support/KilledPasses.h"
#include "support/TempDir.h"
#include "tallyfold/BatchRename.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Runs alternate between a label before and after the number, so that each run renames every
// file again, and later runs meet the collisions that half-done ones leave.
TEST(RenameKill, EveryFileKeepsItsOldOrNewNameWithItsBytes) {
    TempDir dir;
    const char* extensions[] = {".jpg", ".txt", ".tar.gz", ""};
    for (int i = 0; i < 200; ++i) {
        const std::string name = "photo" + std::to_string(i) + extensions[i % 4];
        dir.file(name, name);
    }
    const std::string folder = dir.str() + "/";
    const auto placement = [](int run) {
        return run % 2 == 0 ? Placement::Prefix : Placement::Suffix;
    };

    KilledPasses passes;
    passes.folder = dir.path();
    passes.pass = [&](int run) {
        ApplyRenames(PrepareBatch(folder, "pic", placement(run)).plan,
                     [](const std::string&, const std::string&) { return true; });
    };
    passes.plan = [&](int run) {
        return PlanNumberedRenames("", platform::ListFiles(folder, "*.*", platform::Order::Natural),
                                   "pic", placement(run))
            .renamings;
    };
    KillPassesAtRandom(passes, 200);
}

} // namespace
