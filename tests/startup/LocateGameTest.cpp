#include "StartupFixture.h"

using platform::BoxAnswer;
using platform::ItemPick;

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
    fakes.chooser.picks = {ItemPick::chosen("/games/readme.txt"),
                           ItemPick::chosen("/games/Ironvale/Ironvale.exe")};
    window().LocateGame();
    EXPECT_EQ(boxes(), std::vector{PleaseFindQuestion()});
    EXPECT_EQ(window().Ironvaledirectory, "/games/Ironvale");
    EXPECT_FALSE(window().SetupError);
}

TEST_F(StartupTest, OnlyTheExactExecutableNameIsAccepted) {
    for (const ItemPick& pick :
         {ItemPick::chosen("/games/ironvale.exe"), ItemPick::chosen("/games/IRONVALE.EXE"),
          ItemPick::chosen("/games/NotIronvale.exe"), ItemPick::chosen("/games/Ironvale.exe/"),
          ItemPick::chosen("/games"), ItemPick::cancelled()}) {
        SCOPED_TRACE(pick.path);
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
    fakes.chooser.picks = {ItemPick::chosen("/Ironvale.exe")};
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

// The dialog could not hand back the bytes of "/games/caf\xE9/Ironvale.exe".
const ItemPick LostName = ItemPick::nameLost("/games/caf\xEF\xBF\xBD/Ironvale.exe");

platform::BoxRequest LostNameBox() {
    return {"Tessaly",
            "Tessaly cannot use the item you picked:\n/games/caf\xEF\xBF\xBD/Ironvale.exe\n\n"
            "Its name, or the name of a folder above it, is not plain UTF-8 text, so the file "
            "dialog could not hand it over as the disk spells it.  Please rename it, or pick "
            "another one.",
            platform::BoxIcon::Warning, platform::BoxButtons::Ok};
}

TEST_F(StartupTest, PickWhoseNameWasLostIsRefusedAndTheDialogOpensAgain) {
    fakes.chooser.picks = {LostName, ItemPick::chosen("/games/Ironvale/Ironvale.exe")};

    window().LocateGame();

    EXPECT_EQ(boxes(), std::vector{LostNameBox()});
    EXPECT_EQ(fakes.chooser.prompts.size(), 2u);
    EXPECT_EQ(window().Ironvaledirectory, "/games/Ironvale");
    EXPECT_FALSE(window().SetupError);
}

TEST_F(StartupTest, PickWhoseNameWasLostNeverSetsTheGameFolder) {
    const struct {
        const char* what;
        std::deque<ItemPick> picks;
        std::deque<BoxAnswer> answers;
        std::vector<platform::BoxRequest> shown;
    } cases[] = {
        {"then cancel and give up",
         {LostName},
         {BoxAnswer::Ok, BoxAnswer::Cancel},
         {LostNameBox(), PleaseFindQuestion(), Goodbye()}},
        {"twice, then cancel and give up",
         {LostName, LostName},
         {BoxAnswer::Ok, BoxAnswer::Ok, BoxAnswer::Cancel},
         {LostNameBox(), LostNameBox(), PleaseFindQuestion(), Goodbye()}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeServices local;
        local.chooser.picks = c.picks;
        local.boxes.answers = c.answers;
        Main main(local.services());
        main.LocateGame();
        EXPECT_EQ(local.boxes.shown, c.shown);
        EXPECT_TRUE(main.Ironvaledirectory.empty());
        EXPECT_TRUE(main.SetupError);
    }
}

TEST_F(StartupTest, PickWhoseNameWasLostWithGameFolderSetOpensNoNewDialog) {
    window().Ironvaledirectory = "/games/ironvale";
    fakes.chooser.picks = {LostName};
    EXPECT_EQ(window().fBrowseForFolder("Find and select Ironvale.exe"), "");
    EXPECT_EQ(boxes(), std::vector{LostNameBox()});
    EXPECT_EQ(fakes.chooser.prompts.size(), 1u);
    EXPECT_EQ(window().Ironvaledirectory, "/games/ironvale");
}
