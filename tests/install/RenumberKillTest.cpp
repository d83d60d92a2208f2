#include "platform/FolderListing.h"
#include "support/KilledPasses.h"
#include "support/TempDir.h"
#include "support/ThreadConditions.h"
#include "tessaly/install/RenumberFolder.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <string>
#include <sys/syscall.h>

namespace {

// The pass as it renames where the file system refuses to replace a name, and where it gives
// a file its new name before it takes away the old one.
enum class Way { NoReplace, HardLinks };

const char* NameOf(Way way) {
    return way == Way::NoReplace ? "NoReplace" : "HardLinks";
}

void PrintTo(Way way, std::ostream* out) {
    *out << NameOf(way);
}

constexpr int kKillsPerWay = 100;
constexpr int kFiles = 200;

class RenumberKillTest : public testing::TestWithParam<Way> {};

INSTANTIATE_TEST_SUITE_P(Ways, RenumberKillTest, testing::Values(Way::NoReplace, Way::HardLinks),
                         [](const testing::TestParamInfo<Way>& info) {
                             return NameOf(info.param);
                         });

// Passes alternate their word, as the Install command's two passes do, each killed at a random
// point of its run; later passes also meet the collisions that half-done ones leave.
TEST_P(RenumberKillTest, EveryFileKeepsItsOldOrNewNameWithItsBytes) {
    TempDir dir;
    const char* extensions[] = {".ivb", ".bmp", ".logo.ivb", ""};
    for (int i = 0; i < kFiles; ++i) {
        const std::string name = "pic" + std::to_string(i) + extensions[i % 4];
        dir.file(name, name);
    }
    const std::string folder = dir.str() + "/";
    const auto word = [](int run) { return run % 2 == 0 ? "armpatch" : "file"; };

    KilledPasses passes;
    passes.folder = dir.path();
    if (GetParam() == Way::HardLinks)
        passes.prepare = [] { return RefuseSystemCall(SYS_renameat2, EINVAL); };
    passes.pass = [&](int run) {
        RenumberFolder(folder, word(run),
                       [](const std::string&, const std::string&) { return true; });
    };
    passes.plan = [&](int run) {
        return PlanNumberedRenames("", platform::ListFiles(folder, "*.*", platform::Order::Natural),
                                   word(run), Placement::Prefix)
            .renamings;
    };
    passes.bothNamesMayShow = GetParam() == Way::HardLinks;
    KillPassesAtRandom(passes, kKillsPerWay);
}

} // namespace
