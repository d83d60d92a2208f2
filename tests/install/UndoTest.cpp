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

// The undo entry of the window's right-click menu.
Entry UndoEntry(Main& main) {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), main.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&main, &click);
    const std::unique_ptr<QMenu> menu(main.findChild<QMenu*>());
    if (!menu || menu->actions().empty())
        return {"no menu", false};
    return {menu->actions().front()->text().toStdString(), menu->actions().front()->isEnabled()};
}

void PressCtrlZ(Main& main) {
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_Z, Qt::ControlModifier);
}

// Install of two pictures or Defaults, with the old pictures put in the trash or, where the trash
// refuses them, set aside.
class Undo : public InstallTest,
             public testing::WithParamInterface<std::tuple<ArmpatchCommand, bool>> {};

INSTANTIATE_TEST_SUITE_P(Commands, Undo,
                         testing::Combine(testing::Values(ArmpatchCommand::Install,
                                                          ArmpatchCommand::Defaults),
                                          testing::Bool()),
                         [](const testing::TestParamInfo<std::tuple<ArmpatchCommand, bool>>& info) {
                             return NameOf(std::get<0>(info.param)) +
                                    (std::get<1>(info.param) ? "SetAside" : "");
                         });

// At a new start of the kit, No keeps the folder as it is, Ctrl+Z and Yes bring the old pictures
// back from where they went, leaving nothing beside the folder and no note of them in the trash;
// then there is nothing left to undo.
TEST_P(Undo, AfterARestartPutsTheOldPicturesBack) {
    const auto [command, setAside] = GetParam();
    const std::string name = NameOf(command), home = std::getenv("XDG_DATA_HOME");
    if (setAside)
        setenv("XDG_DATA_HOME", source("not-a-folder").c_str(), 1);
    list({source("a.ivb", "a"), source("b.ivb", "b")});
    command == ArmpatchCommand::Install ? window().cmdInstall_Click()
                                        : window().cmdDefaults_Click();
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    const Contents put = armpatchFolder();
    boxes().clear();
    Main restarted(fakes.services());
    restarted.Ironvaledirectory = game.str() + "/";
    EXPECT_EQ(UndoEntry(restarted), Entry("Undo Last " + name, true));
    fakes.boxes.answers = {BoxAnswer::No};
    restarted.mnuUndo_Click();
    EXPECT_EQ(armpatchFolder(), put);

    PressCtrlZ(restarted);

    const platform::BoxRequest question =
        Box("Undo the last " + name +
                "? The 16 pictures that were in the armpatch folder before it come back, and the "
                "pictures there now go to the trash.",
            BoxIcon::None, platform::BoxButtons::YesNo);
    EXPECT_EQ(boxes(),
              (std::vector{question, question,
                           Box("The armpatch folder is as it was before the last " + name + ".",
                               BoxIcon::Information)}));
    EXPECT_EQ(armpatchFolder(), oldPictures);
    for (const auto& entry : fs::directory_iterator(game.path() / "data"))
        EXPECT_EQ(entry.path().filename(), "armpatch");
    EXPECT_TRUE(InTrash(put));
    EXPECT_EQ(StaleTrashNotes(), std::vector<std::string>{});
    EXPECT_EQ(UndoEntry(restarted), Entry("Undo", false));
}

// With nothing to undo, or once the old pictures have left the trash for good, Undo says so and
// changes nothing.
TEST_F(InstallTest, UndoSaysWhenThereIsNothingToUndo) {
    window().mnuUndo_Click();
    list({source("a.ivb", "a")});
    window().cmdInstall_Click();
    EmptyTrash();
    window().mnuUndo_Click();

    const platform::BoxRequest nothing = Box("There is nothing to undo.", BoxIcon::Information);
    EXPECT_EQ(boxes(), (std::vector{nothing, InstallComplete(), nothing}));
    EXPECT_EQ(UndoEntry(window()), Entry("Undo", false));
    EXPECT_EQ(armpatchFolder(), (Contents{{"armpatch1.ivb", "a"}}));
}

// Paths are bytes: a line break, a "%" or bytes that are no UTF-8 come back as they were.
TEST(UndoJournal, KeepsEveryByteOfItsPaths) {
    const UndoJournal journal{ArmpatchCommand::Defaults, "/g/a\nb%41\xff/data/armpatch",
                              FileId{7, 1ULL << 40}, "/t/files/armpatch\n=1", true};
    EXPECT_EQ(ParseJournal(JournalText(journal)), journal);
    EXPECT_EQ(ParseJournal("command=Uninstall\n"), std::nullopt);
}

} // namespace
