#include "InstallFixture.h"
#include "tessaly/install/UndoJournal.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using platform::BoxAnswer;
using platform::BoxIcon;
using Entry = std::pair<std::string, bool>; // a menu entry's text, and whether it is enabled

// The undo entry of the window's right-click menu, chosen when `choose` says so.
Entry UndoEntry(Main& main, bool choose = false) {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), main.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&main, &click);
    const std::unique_ptr<QMenu> menu(main.findChild<QMenu*>());
    if (!menu || menu->actions().empty())
        return {"no menu", false};
    QAction* entry = menu->actions().front();
    if (choose)
        entry->trigger();
    return {entry->text().toStdString(), entry->isEnabled()};
}

void PressCtrlZ(Main& main) {
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_Z, Qt::ControlModifier);
}

const platform::BoxRequest NothingToUndo = Box("There is nothing to undo.", BoxIcon::Information);

class Undo : public InstallTest, public testing::WithParamInterface<ArmpatchCommand> {
protected:
    // Install of two pictures, or Defaults; what it put in.
    Contents runCommand() {
        if (GetParam() == ArmpatchCommand::Install) {
            list({source("a.ivb", "a"), source("b.ivb", "b")});
            window().cmdInstall_Click();
        } else {
            window().cmdDefaults_Click();
        }
        boxes().clear();
        return armpatchFolder();
    }

    std::vector<platform::BoxRequest> questionAndAnswer() const {
        const std::string name = NameOf(GetParam());
        return {Box("Undo the last " + name +
                        "? The 16 pictures that were in the armpatch folder before it come back, "
                        "and the pictures there now go to the trash.",
                    BoxIcon::None, platform::BoxButtons::YesNo),
                Box("The armpatch folder is as it was before the last " + name + ".",
                    BoxIcon::Information)};
    }
};

INSTANTIATE_TEST_SUITE_P(Commands, Undo,
                         testing::Values(ArmpatchCommand::Install, ArmpatchCommand::Defaults),
                         [](const testing::TestParamInfo<ArmpatchCommand>& info) {
                             return NameOf(info.param);
                         });

// At a new start of the kit, No keeps the folder as it is, Yes brings the old pictures back out
// of the trash, leaving no note of them there; then there is nothing left to undo.
TEST_P(Undo, AfterARestartPutsTheOldPicturesBack) {
    const Contents put = runCommand();
    Main restarted(fakes.services());
    restarted.Ironvaledirectory = game.str() + "/";
    EXPECT_EQ(UndoEntry(restarted), Entry("Undo Last " + NameOf(GetParam()), true));
    fakes.boxes.answers = {BoxAnswer::No};
    restarted.mnuUndo_Click();
    EXPECT_EQ(armpatchFolder(), put);
    boxes().clear();

    UndoEntry(restarted, true);

    EXPECT_EQ(boxes(), questionAndAnswer());
    EXPECT_EQ(armpatchFolder(), oldPictures);
    EXPECT_TRUE(InTrash(put));
    EXPECT_EQ(StaleTrashNotes(), std::vector<std::string>{});
    EXPECT_EQ(UndoEntry(restarted), Entry("Undo", false));
    EXPECT_EQ(restarted.cursor().shape(), Qt::ArrowCursor);
}

// The old pictures come back from where they were set aside, as from the trash.
TEST_P(Undo, PutsBackAFolderSetAside) {
    const std::string home = std::getenv("XDG_DATA_HOME");
    setenv("XDG_DATA_HOME", source("not-a-folder").c_str(), 1);
    const Contents put = runCommand();
    setenv("XDG_DATA_HOME", home.c_str(), 1);

    window().mnuUndo_Click();

    EXPECT_EQ(boxes(), questionAndAnswer());
    EXPECT_EQ(armpatchFolder(), oldPictures);
    for (const auto& entry : fs::directory_iterator(game.path() / "data"))
        EXPECT_EQ(entry.path().filename(), "armpatch");
    EXPECT_TRUE(InTrash(put));
}

// Ctrl+Z undoes as the menu does; with nothing to undo, or once the old pictures have left the
// trash for good, it says so and the entry is disabled.
TEST_F(InstallTest, CtrlZUndoesOrSaysThereIsNothingToUndo) {
    Main& main = window();
    PressCtrlZ(main);
    list({source("a.ivb", "a")});
    main.cmdInstall_Click();
    PressCtrlZ(main);
    EXPECT_EQ(armpatchFolder(), oldPictures);
    main.cmdInstall_Click();
    EmptyTrash();
    PressCtrlZ(main);

    EXPECT_EQ(UndoEntry(main), Entry("Undo", false));
    EXPECT_EQ(armpatchFolder(), (Contents{{"armpatch1.ivb", "a"}}));
    ASSERT_EQ(boxes().size(), 6U);
    EXPECT_EQ(boxes()[0], NothingToUndo);
    EXPECT_EQ(boxes()[2].buttons, platform::BoxButtons::YesNo);
    EXPECT_EQ(boxes()[5], NothingToUndo);
}

// Paths are bytes: a line break, a "%" or bytes that are no UTF-8 come back as they were.
TEST(UndoJournal, KeepsEveryByteOfItsPaths) {
    const UndoJournal journal{ArmpatchCommand::Defaults,
                              "/g/a\nb%41\xff/data/armpatch",
                              FileId{7, 1ULL << 40},
                              "/t/files/armpatch\n=1",
                              true};
    EXPECT_EQ(ParseJournal(JournalText(journal)), journal);
    EXPECT_EQ(ParseJournal("command=Uninstall\n"), std::nullopt);
}

} // namespace
