#include "InstallFixture.h"

#include <gtest/gtest.h>

namespace {

using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;

platform::BoxRequest RestoreQuestion() {
    return Box("Restore Armpatch files to Ironvale Defaults?", BoxIcon::None, BoxButtons::OkCancel);
}

// The kit's pictures 1 to `last`, as the kit holds them.
Contents Defaults(int last) {
    Contents contents;
    for (int n = 1; n <= last; ++n) {
        const std::string name = "armpatch" + std::to_string(n) + ".ivb";
        contents[name] = ReadBytes(std::filesystem::path(TESSALY_KIT_DIR) / "armpatch" / name);
    }
    return contents;
}

// Only the sixteen .ivb pictures go back: the kit's .gif previews beside them stay in the kit.
TEST_F(InstallTest, DefaultsPutBackTheSixteenPictures) {
    game.file("data/armpatch/mine.bmp", "mine");
    Contents before = oldPictures;
    before["mine.bmp"] = "mine";
    window().cmdDefaults_Click();

    EXPECT_EQ(armpatchFolder(), Defaults(16));
    EXPECT_TRUE(InTrash(before));
    EXPECT_EQ(boxes(), (std::vector{RestoreQuestion(),
                                    Box("Armpatch files restored to defaults provided by Ironvale",
                                        BoxIcon::Information)}));
    EXPECT_EQ(fakes.sound.played,
              (decltype(fakes.sound.played){
                  {kit.str() + "/appdata/audio/delete.wav", platform::Wait::No}}));
    EXPECT_EQ(window().windowTitle(), "Tessaly");
    EXPECT_EQ(window().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(InstallTest, DefaultsCancelledTouchNothing) {
    fakes.boxes.answers = {BoxAnswer::Cancel};
    window().cmdDefaults_Click();
    EXPECT_EQ(armpatchFolder(), oldPictures);
    EXPECT_EQ(boxes(), std::vector{RestoreQuestion()});
    EXPECT_EQ(window().cursor().shape(), Qt::ArrowCursor);
}

// Defaults' text ends with one dot, Install's with three.
TEST_F(InstallTest, DefaultsWithoutGameFolderTouchNothing) {
    window().Ironvaledirectory.clear();
    window().cmdDefaults_Click();
    EXPECT_EQ(armpatchFolder(), oldPictures);
    EXPECT_EQ(boxes(),
              (std::vector{RestoreQuestion(),
                           Box("Tessaly could not find Ironvale installed.", BoxIcon::Warning)}));
    EXPECT_EQ(window().cursor().shape(), Qt::ArrowCursor);
}

// The copy of the missing picture fails and ends the restore after the six before it: the
// user's pictures are in the trash, and no success is announced.
TEST_F(InstallTest, DefaultsEndAtAMissingKitPicture) {
    std::filesystem::remove(kit.path() / "armpatch" / "armpatch7.ivb");
    window().cmdDefaults_Click();

    EXPECT_EQ(armpatchFolder(), Defaults(6));
    EXPECT_TRUE(InTrash(oldPictures));
    ASSERT_EQ(boxes().size(), 2U);
    EXPECT_EQ(boxes()[1].icon, BoxIcon::Critical);
    EXPECT_NE(boxes()[1].text.find("armpatch7.ivb"), std::string::npos) << boxes()[1].text;
    EXPECT_TRUE(fakes.sound.played.empty());
    EXPECT_EQ(window().windowTitle(), "Tessaly [Installing Default Armpatch Image Files]");
    EXPECT_EQ(window().cursor().shape(), Qt::ArrowCursor);
}

} // namespace
