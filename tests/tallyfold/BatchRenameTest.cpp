#include "tallyfold/BatchRename.h"

#include "support/FolderContents.h"
#include "support/TempDir.h"
#include "support/ThreadConditions.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

namespace {

namespace fs = std::filesystem;
using Contents = std::map<std::string, std::string>;

TEST(BatchFolder, TrimsBlanksAndEndsWithOneSeparator) {
    const struct {
        const char* caption;
        const char* folder;
    } cases[] = {
        {"/home/me/photos", "/home/me/photos/"},
        {"  /home/me/photos ", "/home/me/photos/"},
        {"/", "/"},
        {" / ", "/"},
        {"/home/me/photos/", "/home/me/photos/"},
        {"\t/x\t", "\t/x\t/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BatchFolder(c.caption), c.folder) << "'" << c.caption << "'";
}

TEST(FitsInFileName, RefusesTheSeparatorAndNul) {
    using namespace std::string_view_literals;
    for (const std::string_view label : {"/"sv, "a/b"sv, "../x"sv, "a\0b"sv, "\0"sv})
        EXPECT_FALSE(FitsInFileName(label)) << label;
    for (const std::string_view label : {""sv, "file"sv, "..."sv, "a b"sv, "caf\xe9"sv, "\\"sv})
        EXPECT_TRUE(FitsInFileName(label)) << label;
}

// The count is a signed 16-bit integer: a folder of 32,767 files is planned whole, with the
// number overflowing after the last rename; one file more fails before any.
TEST(PlanBatch, HoldsAtMostTheFilesA16BitCountHolds) {
    TempDir dir;
    for (std::size_t n = 0; n < MostFilesInABatch; ++n)
        std::ofstream(dir.path() / ("f" + std::to_string(n)));
    const std::string folder = dir.str() + "/";
    const NumberedRenames plan = PlanBatch(folder, "x", Placement::Prefix);
    EXPECT_EQ(plan.renamings.size(), MostFilesInABatch);
    EXPECT_TRUE(plan.numberOverflows);

    std::ofstream(dir.path() / "one more");
    EXPECT_THROW(PlanBatch(folder, "x", Placement::Prefix), std::overflow_error);
}

TEST(PlanBatch, AFolderThatCannotBeListedThrows) {
    TempDir dir;
    EXPECT_THROW(PlanBatch(dir.str() + "/gone/", "x", Placement::Prefix), std::system_error);
}

// Runs the whole pass as user "nobody" on a thread of its own, answering Yes to every question,
// and returns the questions asked, or nothing when the thread could not change its user.
std::optional<std::vector<Renaming>> RenameAsNobody(const std::string& folder) {
    std::optional<std::vector<Renaming>> questions;
    std::thread([&] {
        if (!ActAsNobody())
            return;
        questions.emplace();
        ApplyRenames(PlanBatch(folder, "file", Placement::Prefix),
                     [&](const std::string& oldPath, const std::string& newPath) {
                         questions->push_back({oldPath, newPath});
                         return true;
                     });
    }).join();
    return questions;
}

class ReadOnly : public testing::Test {
protected:
    ReadOnly() {
        fs::permissions(dir.path(), fs::perms::all);
        for (const char* name : {"a.jpg", "b.txt"}) {
            dir.file(std::string("photos/") + name, name);
            fs::permissions(dir.path() / "photos" / name,
                            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        }
    }
    std::string photos() const { return dir.str() + "/photos/"; }

    TempDir dir;
};

TEST_F(ReadOnly, FilesAreRenamedSinceTheFolderDecides) {
    fs::permissions(dir.path() / "photos", fs::perms::all);
    const auto questions = RenameAsNobody(photos());
    ASSERT_TRUE(questions) << "cannot act as nobody here";
    EXPECT_EQ(*questions, std::vector<Renaming>());
    EXPECT_EQ(FolderContents(photos()), (Contents{{"file1.jpg", "a.jpg"}, {"file2.txt", "b.txt"}}));
}

TEST_F(ReadOnly, AFolderRefusesEveryRenameAndLosesNothing) {
    fs::permissions(dir.path() / "photos", fs::perms::owner_all | fs::perms::group_read |
                                               fs::perms::group_exec | fs::perms::others_read |
                                               fs::perms::others_exec);
    const auto questions = RenameAsNobody(photos());
    ASSERT_TRUE(questions) << "cannot act as nobody here";
    EXPECT_EQ(*questions, (std::vector<Renaming>{{photos() + "a.jpg", photos() + "file1.jpg"},
                                                 {photos() + "b.txt", photos() + "file2.txt"}}));
    EXPECT_EQ(FolderContents(photos()), (Contents{{"a.jpg", "a.jpg"}, {"b.txt", "b.txt"}}));
}

} // namespace
