#include "tallyfold/BatchRename.h"

#include "support/FolderContents.h"
#include "support/TempDir.h"
#include "support/ThreadConditions.h"

#include <filesystem>
#include <gtest/gtest.h>
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

TEST(PrepareBatch, AFolderThatCannotBeListedThrows) {
    TempDir dir;
    EXPECT_THROW(PrepareBatch(dir.str() + "/gone/", "x", Placement::Prefix), std::system_error);
}

// Runs the whole pass as user "nobody" on a thread of its own, answering Yes to every question,
// and returns the questions asked, or nothing when the thread could not change its user.
std::optional<std::vector<Renaming>> RenameAsNobody(const std::string& folder) {
    std::optional<std::vector<Renaming>> questions;
    std::thread([&] {
        if (!ActAsNobody())
            return;
        questions.emplace();
        ApplyRenames(PrepareBatch(folder, "file", Placement::Prefix).plan,
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
