#include "tessaly/install/ShellFileRequest.h"

#include "support/FakeServices.h"
#include "support/FolderContents.h"
#include "support/TempDir.h"
#include "support/ThreadConditions.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <thread>

namespace {

namespace fs = std::filesystem;

// The requests keep the quiet flags as data: no question, no question before making a folder,
// and a delete that the user can undo.
TEST(ShellFileRequest, RequestsCarryTheirOperationAndFlags) {
    EXPECT_EQ(TrashFolderRequest("/g/data/armpatch"),
              (ShellFileRequest{ShellOperation::Delete, "/g/data/armpatch", "", 0x0050}));
    EXPECT_EQ(CopyIntoFolderRequest("/p/a.ivb", "/g/data/armpatch/"),
              (ShellFileRequest{ShellOperation::Copy, "/p/a.ivb", "/g/data/armpatch/", 0x0210}));
}

// A copy never replaces a file of its name. Gathered copies take their names only when named,
// and of two of one name the later takes it.
TEST(ShellFileRequest, CopyMakesMissingFoldersAndNeverReplaces) {
    TempDir dir;
    const std::string into = dir.str() + "/a/b/";
    ScriptedBoxes boxes;
    const std::string first = dir.file("one/pic.ivb", "first").string();
    const std::string second = dir.file("two/pic.ivb", "second").string();
    const ShellOutcome copied = RunShellFileRequest(CopyIntoFolderRequest(first, into), boxes);
    EXPECT_TRUE(copied.succeeded());
    EXPECT_EQ(copied.landedAt, into + "pic.ivb");

    EXPECT_EQ(RunShellFileRequest(CopyIntoFolderRequest(second, into), boxes).status, EEXIST);
    EXPECT_EQ(FolderContents(into), (std::map<std::string, std::string>{{"pic.ivb", "first"}}));
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].text, "Cannot copy '" + second + "' to '" + into + "': File exists.");

    const std::string later = dir.str() + "/later/";
    PendingCopies copies;
    for (const std::string& file : {first, second})
        EXPECT_TRUE(
            RunShellFileRequest(CopyIntoFolderRequest(file, later), boxes, &copies).succeeded());
    EXPECT_TRUE(FolderContents(later).empty());
    EXPECT_EQ(NameCopies(copies, boxes), 0);
    EXPECT_EQ(FolderContents(later), (std::map<std::string, std::string>{{"pic.ivb", "second"}}));
    EXPECT_EQ(boxes.shown.size(), 1U);
}

// A failed copy names the file and the reason in a box of the kit's, and leaves nothing under
// the file's name in the folder: not a part of it, not a leftover temporary file.
struct CopyFault {
    const char* name;
    const char* reason;
    // Runs the copy under the fault's condition; false when that cannot be had here.
    bool (*under)();
};

class CopyFaults : public testing::TestWithParam<CopyFault> {};

TEST_P(CopyFaults, AreReportedAndLeaveNoFile) {
    TempDir dir;
    const std::string source = dir.file("pics/pic.ivb", std::string(300000, 'x')).string();
    const fs::path into = dir.folder("into");
    if (std::string(GetParam().name) == "MissingSource")
        fs::remove(source);
    ScriptedBoxes boxes;
    ShellOutcome outcome;
    bool conditioned = false;
    std::thread([&] {
        conditioned = GetParam().under();
        if (conditioned)
            outcome = RunShellFileRequest(CopyIntoFolderRequest(source, into.string()), boxes);
    }).join();
    if (!conditioned)
        GTEST_SKIP() << "the fault cannot be had here";

    EXPECT_FALSE(outcome.succeeded());
    EXPECT_FALSE(outcome.aborted);
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].title, "Tessaly");
    EXPECT_EQ(boxes.shown[0].icon, platform::BoxIcon::Critical);
    EXPECT_NE(boxes.shown[0].text.find(source), std::string::npos) << boxes.shown[0].text;
    EXPECT_NE(boxes.shown[0].text.find(GetParam().reason), std::string::npos)
        << boxes.shown[0].text;
    EXPECT_TRUE(FolderContents(into).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CopyFaults,
    testing::Values(CopyFault{"MissingSource", "No such file or directory", [] { return true; }},
                    CopyFault{"FullDisk", "No space left on device", [] { return FillTheDisk(); }},
                    CopyFault{"NoPermission", "Permission denied", [] { return ActAsNobody(); }}),
    [](const testing::TestParamInfo<CopyFault>& info) { return info.param.name; });

TEST(ShellFileRequest, CancelledCopyLeavesNothingAndShowsNothing) {
    TempDir dir;
    const std::string source = dir.file("pic.ivb", "x").string();
    ScriptedBoxes boxes;
    SetCopyCancel([](const ShellFileRequest&) { return true; });
    const ShellOutcome outcome =
        RunShellFileRequest(CopyIntoFolderRequest(source, dir.str() + "/into"), boxes);
    SetCopyCancel({});
    EXPECT_TRUE(outcome.aborted);
    EXPECT_FALSE(fs::exists(dir.path() / "into" / "pic.ivb"));
    EXPECT_TRUE(boxes.shown.empty());
}

// A folder that the trash cannot take is set aside beside itself, and a box says where; one that
// is not there is left quietly.
TEST(ShellFileRequest, DeleteNeverDeletesForGood) {
    TempDir dir;
    const std::string folder = dir.str() + "/armpatch";
    dir.file("armpatch/a.ivb", "a");
    ScriptedBoxes boxes;
    EXPECT_FALSE(RunShellFileRequest(TrashFolderRequest(dir.str() + "/none"), boxes).succeeded());

    const std::string home = std::getenv("XDG_DATA_HOME");
    setenv("XDG_DATA_HOME", dir.file("not-a-folder").c_str(), 1);
    const ShellOutcome aside = RunShellFileRequest(TrashFolderRequest(folder), boxes);
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    EXPECT_TRUE(aside.succeeded() && !aside.inTrash);
    EXPECT_TRUE(aside.landedAt.starts_with(folder + ".kept-")) << aside.landedAt;
    EXPECT_EQ(FolderContents(aside.landedAt), (std::map<std::string, std::string>{{"a.ivb", "a"}}));
    EXPECT_EQ(boxes.shown, (std::vector<platform::BoxRequest>{
                               {"Tessaly",
                                "The trash could not take the folder " + folder +
                                    ". Its pictures are kept in " + aside.landedAt + ".",
                                platform::BoxIcon::Information, platform::BoxButtons::Ok}}));
}

} // namespace
