#include "StartupFixture.h"

using platform::BoxAnswer;

TEST_F(StartupTest, CancellingThreeTimesThenDecliningShowsFourDialogsAndOneGoodbye) {
    fakes.boxes.answers = {BoxAnswer::Ok, BoxAnswer::Ok, BoxAnswer::Ok, BoxAnswer::Cancel};

    window().LocateGame();

    EXPECT_EQ(fakes.chooser.prompts.size(), 4u);
    EXPECT_EQ(boxes(), (std::vector{PleaseFindQuestion(), PleaseFindQuestion(),
                                    PleaseFindQuestion(), PleaseFindQuestion(), Goodbye()}));
    EXPECT_TRUE(window().SetupError);
    EXPECT_TRUE(window().isUnloaded());
    EXPECT_TRUE(window().Ironvaledirectory.empty());
}

TEST_F(StartupTest, WrongPickThenRightPickKeepsTheSecondAndAsksNoMore) {
    fakes.chooser.picks = {"/games/readme.txt", "/games/Ironvale/Ironvale.exe"};
    window().LocateGame();
    EXPECT_EQ(boxes(), std::vector{PleaseFindQuestion()});
    EXPECT_EQ(window().Ironvaledirectory, "/games/Ironvale");
    EXPECT_FALSE(window().SetupError);
}

TEST_F(StartupTest, OnlyTheExactExecutableNameIsAccepted) {
    for (const std::string pick :
         {"/games/ironvale.exe", "/games/IRONVALE.EXE", "/games/NotIronvale.exe",
          "/games/Ironvale.exe/", "/games", ""}) {
        SCOPED_TRACE(pick);
        FakeServices local;
        local.chooser.picks = {pick};
        local.boxes.answers = {BoxAnswer::Cancel};
        Main main(local.services());
        main.LocateGame();
        EXPECT_EQ(local.boxes.shown, (std::vector{PleaseFindQuestion(), Goodbye()}));
        EXPECT_TRUE(main.Ironvaledirectory.empty());
    }
}

TEST_F(StartupTest, ExecutableAtTheRootGivesTheRootAsGameFolder) {
    fakes.chooser.picks = {"/Ironvale.exe"};
    window().LocateGame();
    EXPECT_EQ(window().Ironvaledirectory, "/");
    EXPECT_TRUE(boxes().empty());
}

TEST_F(StartupTest, WrongPickWithGameFolderAlreadySetAsksNothing) {
    window().Ironvaledirectory = "/games/ironvale";
    EXPECT_EQ(window().fBrowseForFolder("Find and select Ironvale.exe"), "");
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(window().Ironvaledirectory, "/games/ironvale");
}
