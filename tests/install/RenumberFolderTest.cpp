#include "tessaly/install/RenumberFolder.h"

#include "platform/FolderListing.h"
#include "support/FolderContents.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Contents = std::map<std::string, std::string>;

// An armpatch folder: its path ends with the separator, as the Install command forms it. Each
// file's bytes are its first name, so the contents show where every file went.
class ArmpatchFolder {
public:
    explicit ArmpatchFolder(const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            if (name.ends_with('/'))
                dir_.folder(name);
            else
                dir_.file(name, name);
        }
    }

    std::string path() const { return dir_.str() + "/"; }
    std::string at(const std::string& name) const { return path() + name; }
    Contents contents() const { return FolderContents(dir_.path()); }

    // The passes in order, each answering `answer` to every question, which is kept by the
    // names it speaks of.
    PassEnd renumber(const std::vector<std::string>& words, bool answer = true) {
        PassEnd end = PassEnd::Finished;
        for (const std::string& word : words)
            end = RenumberFolder(path(), word,
                                 [&](const std::string& oldPath, const std::string& newPath) {
                                     questions.push_back({oldPath, newPath});
                                     return answer;
                                 });
        return end;
    }

    std::vector<Renaming> questions;

private:
    TempDir dir_;
};

TEST(RenumberFolder, GivesEveryPlainFileTheWordAndItsNumberInListingOrder) {
    const struct {
        const char* what;
        std::vector<std::string> files;
        std::vector<std::string> words;
        Contents after;
    } cases[] = {
        {"three files",
         {"z.bmp", "y.ivb", "x.ivb"},
         {"file"},
         {{"file1.ivb", "x.ivb"}, {"file2.ivb", "y.ivb"}, {"file3.bmp", "z.bmp"}}},
        {"several dots", {"my.logo.ivb"}, {"file"}, {{"file1.logo.ivb", "my.logo.ivb"}}},
        {"several dots, both passes",
         {"my.logo.ivb"},
         {"file", "armpatch"},
         {{"armpatch1.logo.ivb", "my.logo.ivb"}}},
        {"no dot", {"README"}, {"file"}, {{"file1", "README"}}},
        {"an empty folder", {}, {"file", "armpatch"}, {}},
        {"only sub-folders", {"a.ivb/", "b/"}, {"file", "armpatch"}, {{"a.ivb/", ""}, {"b/", ""}}},
        {"a hidden file",
         {".hidden.ivb", "a.ivb"},
         {"file", "armpatch"},
         {{".hidden.ivb", ".hidden.ivb"}, {"armpatch1.ivb", "a.ivb"}}},
        {"names of any bytes",
         {"\xff.ivb", "two\nlines.ivb", "caf\xe9.\xe9t\xe9"},
         {"file"},
         {{"file1.\xe9t\xe9", "caf\xe9.\xe9t\xe9"},
          {"file2.ivb", "two\nlines.ivb"},
          {"file3.ivb", "\xff.ivb"}}},
        {"the second pass meets file2 before file10",
         {"file1.ivb", "file10.ivb", "file11.bmp", "file2.ivb"},
         {"armpatch"},
         {{"armpatch1.ivb", "file1.ivb"},
          {"armpatch2.ivb", "file2.ivb"},
          {"armpatch3.ivb", "file10.ivb"},
          {"armpatch4.bmp", "file11.bmp"}}},
    };
    for (const auto& c : cases) {
        ArmpatchFolder folder(c.files);
        EXPECT_EQ(folder.renumber(c.words), PassEnd::Finished) << c.what;
        EXPECT_EQ(folder.contents(), c.after) << c.what;
        EXPECT_EQ(folder.questions, std::vector<Renaming>()) << c.what;
    }
}

// The folder could not be emptied: the game's sixteen pictures lie beside three new ones.
TEST(RenumberFolder, TwoPassesNumberOldAndNewFilesTogether) {
    std::vector<std::string> files = {"eagle.ivb", "lion.bmp", "zebra.ivb"};
    for (int n = 1; n <= 16; ++n)
        files.push_back("armpatch" + std::to_string(n) + ".ivb");
    ArmpatchFolder folder(files);

    EXPECT_EQ(folder.renumber({"file", "armpatch"}), PassEnd::Finished);
    EXPECT_EQ(folder.questions, std::vector<Renaming>());
    // The first pass lists armpatch1 ... armpatch16, then the new files; the second file1 ...
    // file19: the game's pictures keep their numbers.
    Contents expected = {{"armpatch17.ivb", "eagle.ivb"},
                         {"armpatch18.bmp", "lion.bmp"},
                         {"armpatch19.ivb", "zebra.ivb"}};
    for (int n = 1; n <= 16; ++n)
        expected["armpatch" + std::to_string(n) + ".ivb"] = "armpatch" + std::to_string(n) + ".ivb";
    EXPECT_EQ(folder.contents(), expected);
}

TEST(RenumberFolder, AUsersFileHoldingATargetNameIsAskedAboutAndLeavesAGap) {
    ArmpatchFolder folder({"b.ivb", "file1.ivb"});
    EXPECT_EQ(folder.renumber({"file"}), PassEnd::Finished);
    EXPECT_EQ(folder.questions,
              (std::vector<Renaming>{{folder.at("b.ivb"), folder.at("file1.ivb")}}));
    EXPECT_EQ(folder.contents(), (Contents{{"b.ivb", "b.ivb"}, {"file2.ivb", "file1.ivb"}}));

    folder.questions.clear();
    EXPECT_EQ(folder.renumber({"armpatch"}), PassEnd::Finished);
    EXPECT_EQ(folder.questions, std::vector<Renaming>());
    EXPECT_EQ(folder.contents(),
              (Contents{{"armpatch1.ivb", "b.ivb"}, {"armpatch2.ivb", "file1.ivb"}}));
}

TEST(RenumberFolder, NoEndsThePassAndLeavesTheRestAsItWas) {
    ArmpatchFolder folder({"b.ivb", "c.ivb", "file1.ivb"});
    EXPECT_EQ(folder.renumber({"file"}, false), PassEnd::Stopped);
    EXPECT_EQ(folder.questions.size(), 1u);
    EXPECT_EQ(folder.contents(),
              (Contents{{"b.ivb", "b.ivb"}, {"c.ivb", "c.ivb"}, {"file1.ivb", "file1.ivb"}}));
}

TEST(RenumberFolder, AFileGoneSinceTheListingIsAskedAboutAndLeavesAGap) {
    ArmpatchFolder folder({"x.ivb", "y.ivb", "z.bmp"});
    const auto plan = PlanNumberedRenames(
        folder.path(), platform::ListFiles(folder.path(), "*.*", platform::Order::Natural), "file",
        Placement::Prefix);
    fs::remove(folder.at("y.ivb"));
    std::vector<Renaming> questions;
    EXPECT_EQ(ApplyRenames(plan,
                           [&](const std::string& oldPath, const std::string& newPath) {
                               questions.push_back({oldPath, newPath});
                               return true;
                           }),
              PassEnd::Finished);
    EXPECT_EQ(questions, (std::vector<Renaming>{{folder.at("y.ivb"), folder.at("file2.ivb")}}));
    EXPECT_EQ(folder.contents(), (Contents{{"file1.ivb", "x.ivb"}, {"file3.bmp", "z.bmp"}}));
}

TEST(RenumberFolder, AFolderThatCannotBeListedFailsBeforeAnyRename) {
    TempDir dir;
    const auto missing = (dir.path() / "armpatch").native() + "/";
    EXPECT_THROW(RenumberFolder(missing, "file",
                                [](const std::string&, const std::string&) {
                                    ADD_FAILURE() << "nothing to ask about";
                                    return true;
                                }),
                 std::system_error);
}

} // namespace
