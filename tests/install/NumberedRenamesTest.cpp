#include "tessaly/install/NumberedRenames.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(std::size_t count) {
    std::vector<std::string> names;
    for (std::size_t i = 1; i <= count; ++i)
        names.push_back("pic" + std::to_string(i) + ".ivb");
    return names;
}

TEST(PlanNumberedRenames, FullPathsInTheFolderWithOrWithoutItsSeparator) {
    const std::vector<std::string> names = {"x.ivb", "my.logo.ivb", "README"};
    const std::vector<Renaming> expected = {
        {"/game/armpatch/x.ivb", "/game/armpatch/file1.ivb"},
        {"/game/armpatch/my.logo.ivb", "/game/armpatch/file2.logo.ivb"},
        {"/game/armpatch/README", "/game/armpatch/file3"},
    };
    for (const char* folder : {"/game/armpatch/", "/game/armpatch"}) {
        const auto plan = PlanNumberedRenames(folder, names, "file", Placement::Prefix);
        EXPECT_EQ(plan.renamings, expected) << folder;
    }
}

// The running number is a signed 16-bit integer: 32,767 files take every number it reaches,
// and one file more is refused before any rename, so no name ever carries a wrapped number.
TEST(PlanNumberedRenames, TheSixteenBitNumberTakesAllOrNothing) {
    const struct {
        std::size_t files;
        bool overflows;
    } cases[] = {{0, false},     {1, false},    {32766, false},
                 {32767, false}, {32768, true}, {70000, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.files) + " files");
        if (c.overflows) {
            EXPECT_THROW(PlanNumberedRenames("/f/", Names(c.files), "file", Placement::Prefix),
                         std::overflow_error);
            continue;
        }
        const auto plan = PlanNumberedRenames("/f/", Names(c.files), "file", Placement::Prefix);
        ASSERT_EQ(plan.renamings.size(), c.files);
        for (std::size_t i = 0; i < plan.renamings.size(); ++i)
            ASSERT_EQ(plan.renamings[i].newPath, "/f/file" + std::to_string(i + 1) + ".ivb");
    }
}

TEST(RenameErrorQuestion, NamesBothPathsAndAsksToProceed) {
    EXPECT_EQ(RenameErrorQuestion("/a/b.ivb", "/a/file1.ivb", Placement::Prefix),
              "There was an error renaming /a/b.ivb to /a/file1.ivb file already exists\r\r"
              "Proceed?");
    EXPECT_EQ(RenameErrorQuestion("/a/b.ivb", "/a/1file.ivb", Placement::Suffix),
              "There was an error renaming /a/b.ivb to /a/1file.ivb file already exists \r\r"
              "Proceed?");
}

} // namespace
