#include "WindowsFixture.h"
#include "tessaly/windows/HelpText.h"

#include <QFontInfo>
#include <QPushButton>
#include <QTest>

using Launches = std::vector<std::pair<std::string, std::vector<std::string>>>;
using platform::Watched;

namespace {

HelpText* ShownHelp(Main& main) {
    auto* help = main.findChild<HelpText*>();
    return help && help->isVisible() ? help : nullptr;
}

} // namespace

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
        fakes.launcher.endWatch(Watched::StillRunning);
    }
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(fakes.sound.played.empty());
}

TEST_F(CommandsTest, HelpShowsTheTextItselfWhenTheViewerFailsAndOnlyThen) {
    const std::string text = "Tessaly\n  Install   copies  the list\n"; // lined up by blanks
    kit.file("Tessaly.txt", text);
    Main& main = window();
    const struct {
        const char* what;
        bool starts;
        Watched watched; // how the viewer's watch ends, once it has started
        bool shown;
    } cases[] = {
        {"xdg-open missing", false, Watched::NotStarted, true},
        {"no viewer for the file: xdg-open fails", true, Watched::Failed, true},
        {"viewer open", true, Watched::StillRunning, false},
        {"viewer handed the file on and ended", true, Watched::EndedWell, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fakes.launcher.starts = c.starts;
        for (int press = 0; press < 2; ++press) { // pressed twice, it keeps one window
            QTest::mouseClick(main.cmdHelp, Qt::LeftButton);
            EXPECT_EQ(ShownHelp(main) != nullptr, press == 1 && c.shown) << "before the viewer";
            fakes.launcher.endWatch(c.watched);
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(main.windowTitle(), "Tessaly [Loading Help File]");
        HelpText* help = ShownHelp(main);
        ASSERT_EQ(help != nullptr, c.shown);
        if (!help)
            continue;
        EXPECT_EQ(main.findChildren<HelpText*>().size(), 1);
        EXPECT_EQ(help->toPlainText().toStdString(), text);
        EXPECT_TRUE(QFontInfo(help->font()).fixedPitch());

        QTest::keyClick(help, Qt::Key_Escape);
        DestroyClosed();
        EXPECT_EQ(main.findChild<HelpText*>(), nullptr);
    }
    EXPECT_TRUE(boxes().empty());
}

TEST_F(CommandsTest, HelpWithNoViewerAndAnUnreadableFileSaysSoInABoxAndTheCaption) {
    Main& main = window();
    fakes.launcher.starts = true;
    QTest::mouseClick(main.cmdHelp, Qt::LeftButton);
    fakes.launcher.endWatch(Watched::Failed);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes(), (std::vector<platform::BoxRequest>{
                           {"Tessaly", "Error, could not load Help file",
                            platform::BoxIcon::Critical, platform::BoxButtons::Ok}}));
    EXPECT_EQ(main.windowTitle(), "Tessaly [Error Loading Help File]");
    EXPECT_EQ(ShownHelp(main), nullptr);
}
