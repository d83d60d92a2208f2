#include "tallyfold/RenamePreview.h"

#include <gtest/gtest.h>

namespace {

using Names = NameSet;

NumberedRenames Plan(const std::vector<std::pair<std::string, std::string>>& names) {
    NumberedRenames plan;
    for (const auto& [oldName, newName] : names)
        plan.renamings.push_back({"/photos/" + oldName, "/photos/" + newName});
    return plan;
}

TEST(TakenOnArrival, MarksTheRenamesOntoANameTakenWhenTheirTurnComes) {
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> plan;
        Names taken;
        std::vector<bool> marks;
    } cases[] = {
        {"a name that another file holds",
         {{"a.jpg", "pic1.jpg"}, {"b.jpg", "pic2.jpg"}, {"pic2.jpg", "pic3.jpg"}},
         {"a.jpg", "b.jpg", "pic2.jpg"},
         {0, 1, 0}},
        {"a file already named as its target", {{"pic1.jpg", "pic1.jpg"}}, {"pic1.jpg"}, {1}},
        {"a name freed by an earlier rename",
         {{"2.jpg", "1.jpg"}, {"b.jpg", "2.jpg"}},
         {"2.jpg", "b.jpg"},
         {0, 0}},
        {"a name taken by an earlier rename",
         {{"a", "x1.gz"}, {"b.gz", "x1.gz"}},
         {"a", "b.gz"},
         {0, 1}},
        {"a file that keeps its name keeps holding it",
         {{"a.jpg", "a1.jpg"}, {"b.jpg", "a.jpg"}},
         {"a.jpg", "a1.jpg", "b.jpg"},
         {1, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TakenOnArrival(Plan(c.plan), c.taken), c.marks) << c.what;
}

TEST(RenamePreview, CountsThenListsEveryRenameOnALineOfItsOwn) {
    const auto plan = Plan({{"a.jpg", "pic1.jpg"},
                            {"two\nlines\t\x7f.txt", "pic2.txt"},
                            {"caf\xe9.\xff", "pic3.\xff"}});
    EXPECT_EQ(RenamePreview(plan, {false, true, false}),
              std::string("3 files, 1 marked (already exists)\n"
                          "a.jpg -> pic1.jpg\n"
                          "two\xe2\x90\x8alines\xe2\x90\x89\xe2\x90\xa1.txt -> pic2.txt") +
                  TakenMark + "\ncaf\xe9.\xff -> pic3.\xff");
}

} // namespace
