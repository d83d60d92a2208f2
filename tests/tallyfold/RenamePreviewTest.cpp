#include "tallyfold/RenamePreview.h"

#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using Names = std::unordered_set<std::string>;

NumberedRenames Plan(const std::vector<std::pair<std::string, std::string>>& names) {
    NumberedRenames plan;
    for (const auto& [oldName, newName] : names)
        plan.renamings.push_back({"/photos/" + oldName, "/photos/" + newName});
    return plan;
}

std::string Taken(const std::string& line) {
    return line + TakenMark;
}

TEST(RenamePreview, ListsEveryRenameAndMarksThoseOntoATakenName) {
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> plan;
        Names taken;
        std::string preview;
    } cases[] = {
        {"nothing planned", {}, {"a.jpg"}, ""},
        {"free names",
         {{"a.jpg", "pic1.jpg"}, {"b.txt", "pic2.txt"}},
         {"a.jpg", "b.txt"},
         "a.jpg -> pic1.jpg\nb.txt -> pic2.txt"},
        {"a name that another file holds",
         {{"a.jpg", "pic1.jpg"}, {"b.jpg", "pic2.jpg"}, {"pic2.jpg", "pic3.jpg"}},
         {"a.jpg", "b.jpg", "pic2.jpg"},
         "a.jpg -> pic1.jpg\n" + Taken("b.jpg -> pic2.jpg") + "\npic2.jpg -> pic3.jpg"},
        {"a file already named as its target",
         {{"pic1.jpg", "pic1.jpg"}},
         {"pic1.jpg"},
         Taken("pic1.jpg -> pic1.jpg")},
        {"a name freed by an earlier rename",
         {{"2.jpg", "1.jpg"}, {"b.jpg", "2.jpg"}},
         {"2.jpg", "b.jpg"},
         "2.jpg -> 1.jpg\nb.jpg -> 2.jpg"},
        {"a name taken by an earlier rename",
         {{"a", "x1.gz"}, {"b.gz", "x1.gz"}},
         {"a", "b.gz"},
         "a -> x1.gz\n" + Taken("b.gz -> x1.gz")},
        {"a file that keeps its name keeps holding it",
         {{"a.jpg", "a1.jpg"}, {"b.jpg", "a.jpg"}},
         {"a.jpg", "a1.jpg", "b.jpg"},
         Taken("a.jpg -> a1.jpg") + "\n" + Taken("b.jpg -> a.jpg")},
        {"control characters show as their pictures",
         {{"two\nlines\t\x7f.txt", "pic1.txt"}},
         {},
         "two\xe2\x90\x8alines\xe2\x90\x89\xe2\x90\xa1.txt -> pic1.txt"},
        {"other bytes stay as they are",
         {{"caf\xe9.\xff", "pic1.\xff"}},
         {},
         "caf\xe9.\xff -> pic1.\xff"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RenamePreview(Plan(c.plan), c.taken), c.preview) << c.what;
}

TEST(NamesInFolder, HoldsEveryEntryThatCouldBlockARename) {
    TempDir dir;
    dir.file("a.jpg");
    dir.file(".hidden");
    dir.folder("pic1.jpg");
    std::filesystem::create_symlink("nowhere", dir.path() / "dangling");
    EXPECT_EQ(NamesInFolder(dir.str() + "/"), (Names{"a.jpg", ".hidden", "pic1.jpg", "dangling"}));
    EXPECT_THROW(NamesInFolder(dir.str() + "/gone/"), std::filesystem::filesystem_error);
}

} // namespace
