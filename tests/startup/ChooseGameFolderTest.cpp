#include "StartupFixture.h"
#include "tessaly/common/SettingsFile.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>

using platform::ItemPick;

namespace {

const std::string kStored = "/games/old/Ironvale";

} // namespace

TEST_F(StartupTest, TheGameFolderShowsOnOneLineElidedInItsMiddleWithTheWholePathAsTooltip) {
    const std::string longFolder = "/media/me/Games Disk/" + std::string(200, 'x') + "/Ironvale";
    for (const std::string& folder : {kStored, longFolder, std::string("/")}) {
        SCOPED_TRACE(folder);
        writeSettings("[Ironvale]\nDirectory=" + folder + "\n");
        Main main(fakes.services());
        main.Form_Load();
        const QLabel& line = *main.lblGameFolder;
        const QString shown = line.text();
        EXPECT_EQ(line.toolTip().toStdString(), folder);
        EXPECT_TRUE(shown.startsWith("Game folder: /")) << shown.toStdString();
        EXPECT_TRUE(shown.endsWith(folder == "/" ? "/" : "Ironvale")) << shown.toStdString();
        EXPECT_LE(line.fontMetrics().horizontalAdvance(shown), line.contentsRect().width());
        EXPECT_EQ(shown.contains(QChar(0x2026)), folder == longFolder);
    }
}

TEST_F(StartupTest, TheWindowsMenuOffersToChooseTheGameFolder) {
    writeSettings("[Ironvale]\nDirectory=" + kStored + "\n");
    window().Form_Load();
    QContextMenuEvent event(QContextMenuEvent::Mouse, {20, 20},
                            window().mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(&window(), &event);
    auto* menu = window().findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << action->text();
    ASSERT_TRUE(entries.contains("Choose Game Folder\u2026")) << entries.join(", ").toStdString();

    fakes.chooser.picks = {ItemPick::chosen("/games/new/Ironvale.exe")};
    menu->actions()[entries.indexOf("Choose Game Folder\u2026")]->trigger();
    EXPECT_EQ(fakes.chooser.prompts, std::vector<std::string>{"Find and select Ironvale.exe"});
    EXPECT_EQ(window().Ironvaledirectory, "/games/new/");
}

// Whatever the user does in the dialog, the window stays open and asks nothing more; only a
// pick of the executable changes the game folder, and it is recorded as start-up records one.
TEST_F(StartupTest, ChoosingTheGameFolderChangesItOnlyForThePickOfTheExecutable) {
    struct Case {
        const char* name;
        ItemPick pick;
        std::string folder; // recorded and shown; "" for unchanged
        size_t boxes;
    };
    const Case cases[] = {
        {"the executable", ItemPick::chosen("/games/new/Ironvale.exe"), "/games/new", 0},
        {"at the root", ItemPick::chosen("/Ironvale.exe"), "/", 0},
        {"cancel", ItemPick::cancelled(), "", 0},
        {"another file", ItemPick::chosen("/games/new/ironvale.exe"), "", 0},
        {"a folder", ItemPick::chosen("/games/new"), "", 0},
        {"a name the dialog lost", ItemPick::nameLost("/g/caf\xEF\xBF\xBD/Ironvale.exe"), "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeSettings("[Ironvale]\nDirectory=" + kStored + "\n[Armpatch]\nfile0=/x.ivb\n");
        FakeServices local;
        local.programFolder.folder = kit.str();
        local.chooser.picks = {c.pick};
        Main main(local.services());
        main.Form_Load();
        const std::string settingsBefore = ReadBytes(settings());

        main.mnuChooseGameFolder_Click();

        const std::string expected = c.folder.empty() ? kStored : c.folder;
        EXPECT_EQ(ReadINI("Ironvale", "Directory", settings()), expected);
        EXPECT_EQ(main.Ironvaledirectory, expected == "/" ? "/" : expected + "/");
        EXPECT_EQ(main.lblGameFolder->toolTip().toStdString(), expected);
        if (c.folder.empty()) {
            EXPECT_EQ(ReadBytes(settings()), settingsBefore);
        }
        EXPECT_EQ(local.boxes.shown.size(), c.boxes);
        if (!local.boxes.shown.empty()) {
            EXPECT_EQ(local.boxes.shown.front().icon, platform::BoxIcon::Warning);
        }
        EXPECT_FALSE(main.SetupError);
        EXPECT_FALSE(main.isUnloaded());
    }
}

// A start cut short leaves no game folder; choosing one then needs no first-run questions.
TEST_F(StartupTest, ChoosingTheGameFolderWithNoneKnownAsksNothingOnCancel) {
    window().mnuChooseGameFolder_Click();
    EXPECT_TRUE(boxes().empty());
    EXPECT_FALSE(window().isUnloaded());
    EXPECT_FALSE(std::filesystem::exists(settings()));

    fakes.chooser.picks = {ItemPick::chosen("/games/Ironvale.exe")};
    window().mnuChooseGameFolder_Click();
    EXPECT_EQ(ReadBytes(settings()), "[Ironvale]\nDirectory=/games\n");
}
