#include "InstallFixture.h"
#include "support/FolderContents.h"
#include "support/HeldPipe.h"
#include "tessaly/install/ShellFileRequest.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;

struct Picture {
    std::string path; // below the sources folder
    std::string content;
};

struct InstallCase {
    const char* name;
    std::vector<Picture> entries; // the list, top first
    Contents installed;           // the armpatch folder afterwards
};

void PrintTo(const InstallCase& c, std::ostream* out) {
    *out << c.name;
}

class InstallCases : public InstallTest, public testing::WithParamInterface<InstallCase> {};

// Each list goes over the sixteen old pictures, which end in the trash whatever the list holds.
TEST_P(InstallCases, LeavesExactlyTheNumberedCopies) {
    std::vector<std::string> paths;
    for (const Picture& picture : GetParam().entries)
        paths.push_back(source(picture.path, picture.content));
    list(paths);

    window().cmdInstall_Click();

    EXPECT_EQ(armpatchFolder(), GetParam().installed);
    EXPECT_TRUE(InTrash(oldPictures));
    EXPECT_EQ(boxes(), std::vector{InstallComplete()});
    EXPECT_EQ(fakes.sound.played,
              (decltype(fakes.sound.played){
                  {kit.str() + "/appdata/audio/Roger.wav", platform::Wait::No}}));
    EXPECT_EQ(window().cursor().shape(), Qt::ArrowCursor);
}

std::vector<Picture> Lettered(int count) {
    std::vector<Picture> pictures;
    for (char letter = 'a'; letter < 'a' + count; ++letter)
        pictures.push_back({std::string(1, letter) + ".ivb", std::string(1, letter)});
    return pictures;
}

INSTANTIATE_TEST_SUITE_P(
    Lists, InstallCases,
    testing::Values(
        InstallCase{"ThreeSourcesTwoKinds",
                    {{"b.ivb", "b"}, {"c.bmp", "c"}, {"a.ivb", "a"}},
                    {{"armpatch1.ivb", "a"}, {"armpatch2.ivb", "b"}, {"armpatch3.bmp", "c"}}},
        InstallCase{"SameNameTwiceTheSecondWins",
                    {{"x/pic.ivb", "x"}, {"y/pic.ivb", "y"}},
                    {{"armpatch1.ivb", "y"}}},
        InstallCase{"ExtensionFromTheFirstDotAndNone",
                    {{"my.logo.ivb", "logo"}, {"README", "plain"}},
                    {{"armpatch1.logo.ivb", "logo"}, {"armpatch2", "plain"}}},
        InstallCase{"HiddenFileLeftAlone",
                    {{".hidden.ivb", "hidden"}, {"a.ivb", "a"}},
                    {{".hidden.ivb", "hidden"}, {"armpatch1.ivb", "a"}}},
        // Both passes list in a file manager's order, file2 before file10, so the list's order
        // stays.
        InstallCase{"SecondPassKeepsTheOrder", Lettered(11),
                    [] {
                        Contents installed;
                        int number = 0;
                        for (const Picture& picture : Lettered(11))
                            installed["armpatch" + std::to_string(++number) + ".ivb"] =
                                picture.content;
                        return installed;
                    }()}),
    [](const testing::TestParamInfo<InstallCase>& info) { return info.param.name; });

TEST_F(InstallTest, RecordsEveryEntryAndShowsTheLastInTheCaption) {
    const std::vector<std::string> paths = {source("x/pic.ivb", "x"), source("y/pic.ivb", "y")};
    list(paths);
    window().cmdInstall_Click();
    EXPECT_EQ(setting("file0"), paths[0]);
    EXPECT_EQ(setting("file1"), paths[1]);
    EXPECT_EQ(window().windowTitle().toStdString(), "Tessaly [Installing " + paths[1] + " ]");
}

// The source is gone by the time of its copy: copying stops there, but what was copied is
// numbered, the entry is remembered, and the end is announced as usual.
TEST_F(InstallTest, MissingSourceStopsTheCopiesOnly) {
    const std::vector<std::string> paths = {source("a.ivb", "a"), source("gone.ivb"),
                                            source("c.ivb", "c")};
    std::filesystem::remove(paths[1]);
    list(paths);
    window().cmdInstall_Click();

    EXPECT_EQ(armpatchFolder(), (Contents{{"armpatch1.ivb", "a"}}));
    ASSERT_EQ(boxes().size(), 2U);
    EXPECT_EQ(boxes()[0].icon, BoxIcon::Critical);
    EXPECT_NE(boxes()[0].text.find(paths[1]), std::string::npos) << boxes()[0].text;
    EXPECT_NE(boxes()[0].text.find("No such file or directory"), std::string::npos);
    EXPECT_EQ(boxes()[1], InstallComplete());
    EXPECT_EQ(setting("file1"), paths[1]);
    EXPECT_EQ(setting("file2"), "");
    EXPECT_EQ(fakes.sound.played.size(), 1U);
}

TEST_F(InstallTest, UserCancelStopsTheCopiesQuietly) {
    list({source("a.ivb", "a"), source("b.ivb", "b")});
    int copies = 0;
    SetCopyCancel([&](const ShellFileRequest&) { return ++copies == 2; });
    window().cmdInstall_Click();
    SetCopyCancel({});

    EXPECT_EQ(armpatchFolder(), (Contents{{"armpatch1.ivb", "a"}}));
    EXPECT_EQ(boxes(), std::vector{InstallComplete()});
}

TEST_F(InstallTest, ShorterListKeepsTheLongerOnesLaterKeys) {
    kit.file("Tessaly.ini", "[Armpatch]\nfile0=/old/0\nfile1=/old/1\nfile2=/old/2\n"
                            "file3=/old/3\nfile4=/old/4\n");
    const std::vector<std::string> paths = {source("a.ivb"), source("b.ivb"), source("c.ivb")};
    list(paths);
    window().cmdInstall_Click();
    const std::vector<std::string> keys = {setting("file0"), setting("file1"), setting("file2"),
                                           setting("file3"), setting("file4")};
    EXPECT_EQ(keys, (std::vector<std::string>{paths[0], paths[1], paths[2], "/old/3", "/old/4"}));
}

TEST_F(InstallTest, MissingSettingsFileIsCreated) {
    std::filesystem::remove(settings());
    const std::string path = source("a.ivb");
    list({path});
    window().cmdInstall_Click();
    EXPECT_EQ(setting("file0"), path);
}

// A named pipe in the settings file's place is neither waited on nor written: the pictures are
// installed, and the list is not recorded, as for a settings file that cannot be created.
TEST_F(InstallTest, SettingsFileThatIsAPipeIsLeftAlone) {
    std::filesystem::remove(settings());
    const HeldPipe pipe(settings());
    list({source("a.ivb", "a")});
    window().cmdInstall_Click();
    EXPECT_EQ(armpatchFolder(), (Contents{{"armpatch1.ivb", "a"}}));
    EXPECT_TRUE(InTrash(oldPictures));
    EXPECT_EQ(boxes(), std::vector{InstallComplete()});
    EXPECT_TRUE(std::filesystem::is_fifo(settings()));
}

// The copies make the folders that the one-level creation could not.
TEST_F(InstallTest, MissingDataFolderIsMadeByTheCopies) {
    std::filesystem::remove_all(game.path() / "data");
    list({source("a.ivb", "a")});
    window().cmdInstall_Click();
    EXPECT_EQ(armpatchFolder(), (Contents{{"armpatch1.ivb", "a"}}));
    EXPECT_EQ(boxes(), (std::vector{ErrorCreating(armpatchDir()), InstallComplete()}));
}

class CollisionAnswers : public InstallTest, public testing::WithParamInterface<BoxAnswer> {};

// The user's own file1.ivb holds the first pass's first target: the question names both paths,
// and either answer leaves both pictures installed, the pointer normal at the end.
TEST_P(CollisionAnswers, UsersFile1CollidesInTheFirstPass) {
    fakes.boxes.answers = {GetParam()};
    list({source("b.ivb", "b"), source("file1.ivb", "user's")});
    window().cmdInstall_Click();

    EXPECT_EQ(armpatchFolder(), (Contents{{"armpatch1.ivb", "b"}, {"armpatch2.ivb", "user's"}}));
    const std::string dir = armpatchDir();
    EXPECT_EQ(boxes(), (std::vector{Box("There was an error renaming " + dir + "b.ivb to " + dir +
                                            "file1.ivb file already exists\r\rProceed?",
                                        BoxIcon::Warning, BoxButtons::YesNo),
                                    InstallComplete()}));
    EXPECT_EQ(window().cursor().shape(), Qt::ArrowCursor);
}

INSTANTIATE_TEST_SUITE_P(Answers, CollisionAnswers, testing::Values(BoxAnswer::Yes, BoxAnswer::No),
                         [](const testing::TestParamInfo<BoxAnswer>& info) {
                             return info.param == BoxAnswer::Yes ? "Yes" : "No";
                         });

// Without a list nothing is touched; without a game folder neither, and the text is Install's own.
TEST_F(InstallTest, NothingToInstallOrNowhereToInstallTouchesNothing) {
    window().cmdInstall_Click();
    window().Ironvaledirectory.clear();
    list({source("a.ivb")});
    window().cmdInstall_Click();

    EXPECT_EQ(armpatchFolder(), oldPictures);
    EXPECT_EQ(boxes(),
              (std::vector{Box("No files in the list to install.", BoxIcon::Warning),
                           Box("Tessaly could not find Ironvale installed...", BoxIcon::Warning)}));
    EXPECT_TRUE(fakes.sound.played.empty());
    EXPECT_EQ(window().cursor().shape(), Qt::ArrowCursor);
}

// The 16-bit running number ends at the 32,767th file: one file more stops the pass with the
// failure's description before any rename, so no name is wrapped to a negative number.
TEST_F(InstallTest, RunningNumberOverflowStopsThePassWithItsDescription) {
    const std::string dir = game.str() + "/many/";
    constexpr int kFiles = 32768;
    std::filesystem::create_directories(dir);
    for (int i = 0; i < kFiles; ++i)
        std::ofstream(dir + "p" + std::to_string(i));
    window().installationdir = dir;
    window().RenumberFiles("file");

    EXPECT_EQ(boxes(), std::vector{Box("Overflow", BoxIcon::Critical)});
    const Contents after = FolderContents(dir);
    EXPECT_EQ(after.size(), static_cast<std::size_t>(kFiles));
    EXPECT_TRUE(after.contains("p0"));
    EXPECT_FALSE(after.contains("file1"));
    EXPECT_EQ(window().cursor().shape(), Qt::ArrowCursor);
}

} // namespace
