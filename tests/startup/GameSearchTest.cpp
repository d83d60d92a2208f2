#include "tessaly/startup/GameSearch.h"

#include "support/FakeServices.h"
#include "support/TempDir.h"
#include "tessaly/startup/KnownPlaces.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using platform::Drive;
using platform::DriveKind;

struct Outcome {
    int16_t found;
    GameSearch record;
    std::string gameFolder;
};

Outcome Search(const std::vector<Drive>& drives) {
    Outcome outcome{0, GameSearch{}, "unset"};
    outcome.found = SearchFixedDrives(outcome.record, drives, outcome.gameFolder);
    return outcome;
}

// ---- Which drives are searched ----------------------------------------------------------------

TEST(SearchFixedDrives, NeverSearchesADriveThatIsNotFixed) {
    for (DriveKind kind : {DriveKind::Removable, DriveKind::Network, DriveKind::Optical,
                           DriveKind::Ram, DriveKind::Pseudo, DriveKind::Unknown}) {
        TempDir drive;
        drive.file("Games/Ironvale/Ironvale.exe");
        const Outcome outcome = Search({{drive.str(), kind}});
        EXPECT_EQ(outcome.found, 0) << static_cast<int>(kind);
        EXPECT_EQ(outcome.gameFolder, "") << static_cast<int>(kind);
        EXPECT_EQ(outcome.record.foundPath, "") << static_cast<int>(kind);
    }
}

TEST(SearchFixedDrives, TheFirstFixedDriveWithACopyWinsAndTheRestAreNotSearched) {
    TempDir removable, emptyFixed, first, second;
    removable.file("Ironvale.exe");
    first.file("Games/Ironvale/Ironvale.exe");
    second.file("Ironvale.exe");
    const Outcome outcome = Search({{removable.str(), DriveKind::Removable},
                                    {emptyFixed.str() + "/gone", DriveKind::Fixed},
                                    {emptyFixed.str(), DriveKind::Fixed},
                                    {first.str(), DriveKind::Fixed},
                                    {second.str(), DriveKind::Fixed}});
    EXPECT_NE(outcome.found, 0);
    EXPECT_EQ(outcome.gameFolder, first.str() + "/Games/Ironvale");
    EXPECT_EQ(outcome.record.driveRoot, first.str()) << "the search went on past the hit";
}

TEST(SearchFixedDrives, NoCopyAnywhereLeavesTheGameFolderEmpty) {
    TempDir a, b;
    a.file("Games/Ironvale.txt");
    const Outcome outcome = Search({{a.str(), DriveKind::Fixed}, {b.str(), DriveKind::Fixed}});
    EXPECT_EQ(outcome.found, 0);
    EXPECT_EQ(outcome.gameFolder, "");
    EXPECT_EQ(outcome.record.foundPath, "");
    EXPECT_EQ(outcome.record.driveRoot, b.str());
    EXPECT_EQ(outcome.record.fileName, "Ironvale.exe");

    const Outcome none = Search({});
    EXPECT_EQ(none.found, 0);
    EXPECT_EQ(none.gameFolder, "");
}

// ---- What the game folder becomes ------------------------------------------------------------

TEST(SearchFixedDrives, KeepsTheLetterCaseFoundOnDisk) {
    TempDir drive;
    const auto file = drive.file("Games/IronVale/IRONVALE.EXE");
    const Outcome outcome = Search({{drive.str(), DriveKind::Fixed}});
    EXPECT_EQ(outcome.record.foundPath, file.string());
    EXPECT_EQ(outcome.gameFolder, drive.str() + "/Games/IronVale");
}

TEST(SearchFixedDrives, ACopyAtTheDrivesRootGivesTheRootItself) {
    TempDir drive;
    drive.file("Ironvale.exe");
    EXPECT_EQ(Search({{drive.str(), DriveKind::Fixed}}).gameFolder, drive.str());
    EXPECT_EQ(Search({{drive.str() + "/", DriveKind::Fixed}}).gameFolder, drive.str());
}

TEST(GameFolderOf, CutsTheLastNameOff) {
    const std::pair<const char*, const char*> cases[] = {
        {"/Ironvale.exe", "/"},
        {"/games/Ironvale/Ironvale.exe", "/games/Ironvale"},
        {"/Games/IRONVALE.EXE", "/Games"},
        {"/my games/a b/Ironvale.exe", "/my games/a b"},
        {"Ironvale.exe", ""},
        {"", ""},
    };
    for (const auto& [path, folder] : cases)
        EXPECT_EQ(GameFolderOf(path), folder) << path;
}

TEST(NamesGameExecutable, WantsTheExactNameAsTheLastName) {
    const std::pair<const char*, bool> cases[] = {
        {"/games/Ironvale/Ironvale.exe", true},
        {"/Ironvale.exe", true},
        {"/games/ironvale.exe", false},
        {"/games/MyIronvale.exe", false},
        {"/games/Ironvale.exe/", false},
        {"/games/Ironvale.exe.bak", false},
        {"Ironvale.exe", false},
        {"", false},
    };
    for (const auto& [path, names] : cases)
        EXPECT_EQ(NamesGameExecutable(path), names) << path;
}

TEST(SearchForGameFolder, SearchesTheDrivesTheMachineLists) {
    TempDir optical, fixed;
    optical.file("Ironvale.exe");
    fixed.file("Apps/Ironvale/Ironvale.exe");
    FakeDrives drives;
    drives.list = {{optical.str(), DriveKind::Optical}, {fixed.str(), DriveKind::Fixed}};
    EXPECT_EQ(SearchForGameFolder(HomeFolders::FromEnvironment(), drives),
              fixed.str() + "/Apps/Ironvale");
    drives.list.pop_back();
    EXPECT_EQ(SearchForGameFolder(HomeFolders::FromEnvironment(), drives), "");
}

} // namespace
