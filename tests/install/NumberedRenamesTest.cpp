#include "tessaly/install/NumberedRenames.h"

#include "support/FolderContents.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <map>
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
        EXPECT_FALSE(plan.numberOverflows);
    }
}

// The running number is 16 bits wide: it may reach 32,767 but not be raised past it, so the
// 32,767th file is the last one renamed and no name ever carries a wrapped number.
TEST(PlanNumberedRenames, TheSixteenBitNumberEndsThePlanAtItsLimit) {
    const struct {
        std::size_t files;
        std::size_t renamings;
        bool overflows;
    } cases[] = {
        {0, 0, false},        {1, 1, false},        {32766, 32766, false},
        {32767, 32767, true}, {32768, 32767, true}, {70000, 32767, true},
    };
    for (const auto& c : cases) {
        const auto plan = PlanNumberedRenames("/f/", Names(c.files), "file", Placement::Prefix);
        ASSERT_EQ(plan.renamings.size(), c.renamings) << c.files << " files";
        EXPECT_EQ(plan.numberOverflows, c.overflows) << c.files << " files";
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

// A plan for the 32,767 names that the number can reach, of which only the first two and the
// last lie in the folder: the missing ones fail and are asked about on the way.
class ApplyAtTheNumbersEnd : public testing::Test {
protected:
    ApplyAtTheNumbersEnd() {
        const auto names = Names(32767);
        for (const auto& name : {names.front(), names[1], names.back()})
            dir.file(name, name);
        plan = PlanNumberedRenames(dir.str(), names, "file", Placement::Prefix);
    }

    TempDir dir;
    NumberedRenames plan;
    std::size_t questions = 0;
};

TEST_F(ApplyAtTheNumbersEnd, OverflowsRightAfterTheLastRename) {
    EXPECT_THROW(ApplyRenames(plan,
                              [&](const std::string&, const std::string&) {
                                  ++questions;
                                  return true;
                              }),
                 std::overflow_error);
    EXPECT_EQ(questions, 32767u - 3u);
    EXPECT_EQ(FolderContents(dir.path()), (std::map<std::string, std::string>{
                                              {"file1.ivb", "pic1.ivb"},
                                              {"file2.ivb", "pic2.ivb"},
                                              {"file32767.ivb", "pic32767.ivb"},
                                          }));
}

TEST_F(ApplyAtTheNumbersEnd, AUserWhoStopsBeforeTheEndMeetsNoOverflow) {
    EXPECT_EQ(ApplyRenames(plan,
                           [&](const std::string&, const std::string&) {
                               ++questions;
                               return false;
                           }),
              PassEnd::Stopped);
    EXPECT_EQ(questions, 1u);
    EXPECT_EQ(FolderContents(dir.path()), (std::map<std::string, std::string>{
                                              {"file1.ivb", "pic1.ivb"},
                                              {"file2.ivb", "pic2.ivb"},
                                              {"pic32767.ivb", "pic32767.ivb"},
                                          }));
}

} // namespace
