#include "StartupFixture.h"
#include "tessaly/common/SettingsFile.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <algorithm>

using platform::ItemPick;

namespace {

const std::string kStored = "/games/old/Ironvale";

// Right-clicks the window and takes the menu's entry, as a user does.
void ChooseFromMenu(Main& main) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, {20, 20}, main.mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(&main, &event);
    const QList<QAction*> entries = main.findChild<QMenu*>()->actions();
    const auto choose = std::ranges::find(entries, "Choose Game Folder\u2026", &QAction::text);
    ASSERT_NE(choose, entries.end());
    (*choose)->trigger();
}

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

// Whatever the user does in the dialog, the window stays open and asks nothing more, even after
// a start cut short; only a pick of the executable changes the game folder, and it is recorded
// as start-up records one.
TEST_F(StartupTest, ChoosingTheGameFolderChangesItOnlyForThePickOfTheExecutable) {
    struct Case {
        const char* name;
        std::string stored; // "" for a start cut short before it knew the game folder
        ItemPick pick;
        std::string chosen; // "" for unchanged
        std::size_t boxes = 0;
    };
    const Case cases[] = {
        {"the executable", kStored, ItemPick::chosen("/games/new/Ironvale.exe"), "/games/new"},
        {"cancel", kStored, ItemPick::cancelled(), ""},
        {"another file", kStored, ItemPick::chosen("/games/new/ironvale.exe"), ""},
        {"a lost name", kStored, ItemPick::nameLost("/g/caf\xEF\xBF\xBD/Ironvale.exe"), "", 1},
        {"cancel, cut short", "", ItemPick::cancelled(), ""},
        {"the executable, cut short", "", ItemPick::chosen("/games/Ironvale.exe"), "/games"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string written =
            c.stored.empty() ? "" : "[Ironvale]\nDirectory=" + c.stored + "\n";
        std::filesystem::remove(settings());
        FakeServices local;
        local.programFolder.folder = kit.str();
        local.chooser.picks = {c.pick};
        Main main(local.services());
        if (!written.empty()) {
            writeSettings(written);
            main.Form_Load();
        }

        ChooseFromMenu(main);

        const std::string expected = c.chosen.empty() ? c.stored : c.chosen;
        EXPECT_EQ(ReadINI("Ironvale", "Directory", settings()), expected);
        EXPECT_EQ(main.Ironvaledirectory, expected.empty() ? "" : expected + "/");
        EXPECT_EQ(main.lblGameFolder->toolTip().toStdString(), expected);
        if (c.chosen.empty()) {
            EXPECT_EQ(std::filesystem::exists(settings()) ? ReadBytes(settings()) : "", written);
        }
        EXPECT_EQ(local.boxes.shown.size(), c.boxes);
        EXPECT_FALSE(main.isUnloaded());
    }
}
