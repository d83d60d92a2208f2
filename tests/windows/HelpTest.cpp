#include "WindowsFixture.h"

#include <QPushButton>
#include <QTest>

using Launches = std::vector<std::pair<std::string, std::vector<std::string>>>;

TEST_F(CommandsTest, HelpHandsTheHelpFileToTheDesktopViewerAsItsOneArgument) {
    Main& main = window();
    fakes.launcher.starts = true; // whether this machine has a desktop viewer
    const struct {
        std::string folder;
        std::string helpFile;
    } cases[] = {
        {"/home/ann/My Games/Tessaly kit", "/home/ann/My Games/Tessaly kit/Tessaly.txt"},
        {"/opt/it's \"the\" kit; rm -rf ~", "/opt/it's \"the\" kit; rm -rf ~/Tessaly.txt"},
        {"/opt/kit/", "/opt/kit/Tessaly.txt"},
        {"/", "/Tessaly.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        fakes.programFolder.folder = c.folder;
        fakes.launcher.started.clear();
        QTest::mouseClick(main.cmdHelp, Qt::LeftButton);
        EXPECT_EQ(fakes.launcher.started, (Launches{{"xdg-open", {c.helpFile}}}));
        EXPECT_EQ(main.windowTitle(), "Tessaly [Loading Help File]");
    }
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(fakes.sound.played.empty());
}

TEST_F(CommandsTest, HelpThatCannotStartSaysSoInABoxAndTheCaption) {
    Main& main = window();
    fakes.launcher.starts = false;
    QTest::mouseClick(main.cmdHelp, Qt::LeftButton);
    EXPECT_EQ(fakes.launcher.started.size(), 1u);
    EXPECT_EQ(boxes(), (std::vector<platform::BoxRequest>{
                           {"Tessaly", "Error, could not load Help file",
                            platform::BoxIcon::Critical, platform::BoxButtons::Ok}}));
    EXPECT_EQ(main.windowTitle(), "Tessaly [Error Loading Help File]");
    EXPECT_FALSE(main.isUnloaded());
}
