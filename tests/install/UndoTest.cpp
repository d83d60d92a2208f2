#include "InstallFixture.h"
#include "support/FolderContents.h"
#include "tessaly/install/ShellFileRequest.h"
#include "tessaly/install/UndoJournal.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;

struct MenuEntry {
    std::string text;
    bool enabled = false;

    bool operator==(const MenuEntry&) const = default;
};

void PrintTo(const MenuEntry& entry, std::ostream* out) {
    *out << entry.text << (entry.enabled ? "" : " (disabled)");
}

// The undo entry of the window's right-click menu; triggered when `choose` says so.
MenuEntry UndoEntry(Main& main, bool choose = false) {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), main.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&main, &click);
    QMenu* menu = main.findChild<QMenu*>();
    if (menu == nullptr || menu->actions().empty())
        return {"no menu"};
    QAction* entry = menu->actions().front();
    const MenuEntry seen{entry->text().toStdString(), entry->isEnabled()};
    if (choose)
        entry->trigger();
    delete menu;
    return seen;
}

platform::BoxRequest NothingToUndo() {
    return Box("There is nothing to undo.", BoxIcon::Information);
}

class Undo : public InstallTest, public testing::WithParamInterface<ArmpatchCommand> {
protected:
    bool installs() const { return GetParam() == ArmpatchCommand::Install; }
    std::string name() const { return NameOf(GetParam()); }

    // Install of two pictures, or Defaults.
    void runCommand(Main& main) {
        if (installs()) {
            list({source("a.ivb", "a"), source("b.ivb", "b")});
            main.cmdInstall_Click();
        } else {
            main.cmdDefaults_Click();
        }
    }

    // A window of a new start of the kit on the same game and settings.
    std::unique_ptr<Main> restart() {
        auto restarted = std::make_unique<Main>(fakes.services());
        restarted->Ironvaledirectory = game.str() + "/";
        boxes().clear();
        return restarted;
    }

    platform::BoxRequest question() const {
        return Box("Undo the last " + name() +
                       "? The 16 pictures that were in the armpatch folder before it come back, "
                       "and the pictures there now go to the trash.",
                   BoxIcon::None, BoxButtons::YesNo);
    }

    platform::BoxRequest undone() const {
        return Box("The armpatch folder is as it was before the last " + name() + ".",
                   BoxIcon::Information);
    }
};

INSTANTIATE_TEST_SUITE_P(Commands, Undo,
                         testing::Values(ArmpatchCommand::Install, ArmpatchCommand::Defaults),
                         [](const testing::TestParamInfo<ArmpatchCommand>& info) {
                             return NameOf(info.param);
                         });

TEST_P(Undo, AfterARestartPutsTheOldPicturesBack) {
    runCommand(window());
    const Contents put = armpatchFolder();
    const std::unique_ptr<Main> restarted = restart();
    EXPECT_EQ(UndoEntry(*restarted), (MenuEntry{"Undo Last " + name(), true}));

    UndoEntry(*restarted, true);

    EXPECT_EQ(boxes(), (std::vector{question(), undone()}));
    EXPECT_EQ(armpatchFolder(), oldPictures);
    EXPECT_TRUE(InTrash(put));
    EXPECT_TRUE(StaleTrashNotes().empty());
    EXPECT_EQ(UndoEntry(*restarted), (MenuEntry{"Undo", false}));
    EXPECT_EQ(restarted->cursor().shape(), Qt::ArrowCursor);
}

TEST_P(Undo, NoKeepsTheFolderAsItIs) {
    runCommand(window());
    const Contents put = armpatchFolder();
    fakes.boxes.answers = {BoxAnswer::No};
    boxes().clear();
    window().mnuUndo_Click();
    EXPECT_EQ(boxes(), std::vector{question()});
    EXPECT_EQ(armpatchFolder(), put);
    EXPECT_EQ(UndoEntry(window()), (MenuEntry{"Undo Last " + name(), true}));
}

// The folder of before comes back from where it was set aside, as from the trash.
TEST_P(Undo, PutsBackAFolderSetAside) {
    const std::string home = std::getenv("XDG_DATA_HOME");
    setenv("XDG_DATA_HOME", source("not-a-folder").c_str(), 1);
    runCommand(window());
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    const Contents put = armpatchFolder();
    boxes().clear();

    window().mnuUndo_Click();

    EXPECT_EQ(boxes(), (std::vector{question(), undone()}));
    EXPECT_EQ(armpatchFolder(), oldPictures);
    for (const auto& entry : fs::directory_iterator(game.path() / "data"))
        EXPECT_EQ(entry.path().filename(), "armpatch");
    EXPECT_TRUE(InTrash(put));
}

// Killed in the middle of its copies, the command is undone at the next start all the same.
TEST_P(Undo, AfterAKillPutsTheOldPicturesBack) {
    int copies = 0;
    SetCopyCancel([&](const ShellFileRequest&) {
        if (++copies == 2)
            kill(getpid(), SIGKILL);
        return false;
    });
    const pid_t child = fork();
    if (child == 0) {
        runCommand(window());
        _exit(0);
    }
    SetCopyCancel({});
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    const Contents cutShort = armpatchFolder();
    ASSERT_EQ(cutShort.size(), 1U);

    restart()->mnuUndo_Click();

    EXPECT_EQ(boxes(), (std::vector{question(), undone()}));
    EXPECT_EQ(armpatchFolder(), oldPictures);
    EXPECT_TRUE(InTrash(cutShort));
}

// Presses Ctrl+Z in the window, made the active one as a user's key press finds it.
void PressCtrlZ(Main& main) {
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_Z, Qt::ControlModifier);
}

// Ctrl+Z undoes as the menu does; with nothing to undo it says so, and the entry is disabled.
TEST_F(InstallTest, CtrlZUndoesOrSaysThereIsNothingToUndo) {
    Main& main = window();
    PressCtrlZ(main);
    EXPECT_EQ(UndoEntry(main), (MenuEntry{"Undo", false}));

    list({source("a.ivb", "a")});
    main.cmdInstall_Click();
    PressCtrlZ(main);
    EXPECT_EQ(armpatchFolder(), oldPictures);

    main.cmdInstall_Click();
    EmptyTrash();
    PressCtrlZ(main);
    EXPECT_EQ(UndoEntry(main), (MenuEntry{"Undo", false})) << "the old pictures are gone for good";
    EXPECT_EQ(armpatchFolder(), (Contents{{"armpatch1.ivb", "a"}}));

    const std::vector<platform::BoxRequest> shown = boxes();
    ASSERT_EQ(shown.size(), 6U);
    EXPECT_EQ(shown[0], NothingToUndo());
    EXPECT_EQ(shown[2].buttons, BoxButtons::YesNo);
    EXPECT_EQ(shown[5], NothingToUndo());
}

// Paths are bytes: a line break, a "%" or bytes that are no UTF-8 come back as they were.
TEST(UndoJournal, KeepsEveryByteOfItsPaths) {
    const UndoJournal journal{ArmpatchCommand::Defaults,
                              "/g/a\nb%41\xff/data/armpatch",
                              FileId{7, 1ULL << 40},
                              "/t/files/armpatch\n=1",
                              true,
                              "/x/.a.tmp"};
    EXPECT_EQ(ParseJournal(JournalText(journal)), journal);
    EXPECT_EQ(ParseJournal("command=Uninstall\n"), std::nullopt);
}

} // namespace
