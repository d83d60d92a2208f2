#include "ListViews.h"
#include "MainWindowFixture.h"
#include "tessaly/common/SettingsFile.h"
#include "tessaly/selection/DirListBox.h"
#include "tessaly/selection/FileListBox.h"
#include "tessaly/selection/PathListBox.h"

#include <QFile>
#include <functional>

using Paths = std::vector<std::string>;

namespace {

std::string Numbered(int n) {
    return (n < 10 ? "p0" : "p") + std::to_string(n) + ".ivb";
}

Paths Numbers(const std::string& folder, int count) {
    Paths paths;
    for (int n = 0; n < count; ++n)
        paths.push_back(folder + "/" + std::to_string(n));
    return paths;
}

} // namespace

TEST_F(MainWindowTest, TwentyFilesFitAndTheTwentyFirstWaitsForARemoval) {
    Paths added;
    for (int n = 1; n <= 21; ++n)
        added.insert(added.begin(), file(Numbered(n)));
    Main& main = window();
    for (int n = 1; n <= 20; ++n)
        DoubleClick(*main.FileList, fileRow(Numbered(n)));
    const Paths twenty(added.begin() + 1, added.end());
    ASSERT_EQ(entries(), twenty);
    EXPECT_EQ(main.cntr, 20);
    EXPECT_TRUE(boxes().empty());

    // Full is full: a listed file is not even looked at.
    DoubleClick(*main.FileList, fileRow(Numbered(21)));
    DoubleClick(*main.FileList, fileRow(Numbered(1)));
    EXPECT_EQ(boxes(), (std::vector{ListFull(), ListFull()}));
    EXPECT_EQ(entries(), twenty);
    EXPECT_EQ(main.cntr, 20);

    DoubleClick(*main.LstFiles, 0);
    EXPECT_EQ(main.cntr, 19);
    DoubleClick(*main.FileList, fileRow(Numbered(21)));
    EXPECT_EQ(main.cntr, 20);
    added.erase(added.begin() + 1);
    EXPECT_EQ(entries(), added);
    EXPECT_EQ(boxes().size(), 2U);
}

TEST_F(MainWindowTest, SameFileTwiceIsRefusedNamingItsFullPath) {
    const std::string eagle = file("eagle.ivb");
    Main& main = window();

    DoubleClick(*main.FileList, fileRow("eagle.ivb"));
    QTest::keyClick(main.FileList, Qt::Key_Return);

    EXPECT_EQ(entries(), Paths{eagle});
    EXPECT_EQ(main.cntr, 1);
    EXPECT_EQ(boxes(), std::vector{AlreadyInList(eagle)});
}

TEST_F(MainWindowTest, OtherLetterCaseIsAnotherEntry) {
    const std::string lower = file("eagle.ivb");
    const std::string upper = file("Eagle.ivb");
    restoreEntries({disks.str() + "/PICTURES/eagle.ivb"});

    DoubleClick(*window().FileList, fileRow("eagle.ivb"));
    DoubleClick(*window().FileList, fileRow("Eagle.ivb"));

    EXPECT_EQ(entries(), (Paths{upper, lower, disks.str() + "/PICTURES/eagle.ivb"}));
    EXPECT_EQ(window().cntr, 3);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(MainWindowTest, NewEntryGoesToTheFirstVisibleRow) {
    const std::string eagle = file("eagle.ivb");
    for (const int top : {0, 3}) {
        SCOPED_TRACE(top);
        Main& main = window();
        main.LstFiles->clear();
        main.cntr = 0;
        Paths expected = Numbers("/restored", 19);
        restoreEntries(expected);
        // Short enough that the list scrolls by more than three entries.
        main.LstFiles->resize(main.LstFiles->width(), 100);
        main.LstFiles->scrollToItem(main.LstFiles->item(top), QAbstractItemView::PositionAtTop);
        ASSERT_EQ(main.LstFiles->topRow(), top);

        DoubleClick(*main.FileList, fileRow("eagle.ivb"));

        expected.insert(expected.begin() + top, eagle);
        EXPECT_EQ(entries(), expected);
    }
}

TEST_F(MainWindowTest, CharacterKeysInTheFileListAddTheFileSelectedAtThatMoment) {
    const std::string apple = file("apple.ivb");
    file("banana.ivb");
    file("cherry.ivb");
    // The letter comes first: a letter typed soon after Space would search for " c".
    const struct {
        const char* what;
        Qt::Key key;
        bool adds;
        const char* selectedAfter;
    } cases[] = {
        {"letter", Qt::Key_C, true, "cherry.ivb"},
        {"enter", Qt::Key_Return, true, "apple.ivb"},
        {"space", Qt::Key_Space, true, "apple.ivb"},
        {"delete", Qt::Key_Delete, false, "apple.ivb"},
        {"arrow", Qt::Key_Down, false, "banana.ivb"},
    };
    Main& main = window();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        main.LstFiles->clear();
        main.cntr = 0;
        selectFile("apple.ivb");

        QTest::keyClick(main.FileList, c.key);

        EXPECT_EQ(entries(), c.adds ? Paths{apple} : Paths{});
        EXPECT_EQ(main.cntr, c.adds ? 1 : 0);
        EXPECT_EQ(main.FileList->fileName(), c.selectedAfter);
    }
    EXPECT_TRUE(boxes().empty());
}

TEST_F(MainWindowTest, CharacterKeysAndDeleteInTheInstallationListRemoveTheSelectedEntry) {
    const struct {
        const char* what;
        Qt::Key key;
        bool removes;
        int selectedAfter;
    } cases[] = {
        {"enter", Qt::Key_Return, true, -1},
        {"backspace", Qt::Key_Backspace, true, -1},
        {"letter", Qt::Key_X, true, -1},
        {"escape", Qt::Key_Escape, true, -1},
        // Would select the first entry if the list went on to search by the typed character.
        {"slash", Qt::Key_Slash, true, -1},
        {"delete", Qt::Key_Delete, true, -1},
        {"arrow", Qt::Key_Down, false, 2},
    };
    Main& main = window();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        main.LstFiles->clear();
        main.cntr = 0;
        restoreEntries({"/a.ivb", "/b.ivb", "/c.ivb"});
        Click(*main.LstFiles, 1);

        QTest::keyClick(main.LstFiles, c.key);

        const Paths left =
            c.removes ? Paths{"/a.ivb", "/c.ivb"} : Paths{"/a.ivb", "/b.ivb", "/c.ivb"};
        EXPECT_EQ(entries(), left);
        EXPECT_EQ(main.cntr, main.LstFiles->count());
        EXPECT_EQ(main.LstFiles->selectedRow(), c.selectedAfter);
    }
}

TEST_F(MainWindowTest, RemovingThePreviewedEntryLeavesPictureAndCaption) {
    const std::string eagle = file("eagle.ivb");
    const std::string picture = gif("eagle.gif", 3);
    restoreEntries({"/a.ivb", eagle, "/c.ivb"});
    Main& main = window();
    Click(*main.LstFiles, 1);
    ASSERT_EQ(main.windowTitle().toStdString(), "Tessaly [" + picture + "]");

    DoubleClick(*main.LstFiles, 1);

    EXPECT_EQ(entries(), (Paths{"/a.ivb", "/c.ivb"}));
    EXPECT_EQ(main.cntr, 2);
    EXPECT_EQ(main.LstFiles->selectedRow(), -1);
    EXPECT_EQ(main.windowTitle().toStdString(), "Tessaly [" + picture + "]");
    EXPECT_EQ(shownPicture(), Picture(picture));
}

TEST_F(MainWindowTest, RemoveWithNothingSelectedChangesNothing) {
    restoreEntries({"/a.ivb", "/b.ivb"});
    Main& main = window();
    QWidget* viewport = main.LstFiles->viewport();

    main.LstFiles_DblClick();
    QTest::keyClick(main.LstFiles, Qt::Key_Return);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(10, viewport->height() - 5));

    EXPECT_EQ(entries(), (Paths{"/a.ivb", "/b.ivb"}));
    EXPECT_EQ(main.cntr, 2);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(MainWindowTest, EveryAddRequestSavesTheBrowsePosition) {
    const std::string sub = disks.folder("pictures/emblems").string();
    const std::string crown = file("emblems/crown.ivb");
    file("emblems/falcon.ivb");
    restoreEntries(Numbers("/restored", 19));
    Main& main = window();
    main.DirList->setPath(sub);
    const std::function<void()> requests[] = {
        [&] { DoubleClick(*main.FileList, fileRow("crown.ivb")); },
        [&] { DoubleClick(*main.FileList, fileRow("falcon.ivb")); },
        [&] {
            main.LstFiles->removePath(5);
            --main.cntr;
            DoubleClick(*main.FileList, fileRow("crown.ivb"));
        },
        [&] {
            main.FileList->clearSelection();
            main.FileList_KeyPress('\r');
        },
    };
    for (const auto& request : requests) {
        kit.file("Tessaly.ini", "[Ironvale]\nDirectory=/games/ironvale\n");
        request();
        EXPECT_EQ(ReadINI("Browse For File", "DefaultDrive", settings()), "/");
        EXPECT_EQ(ReadINI("Browse For File", "DefaultDirectory", settings()), sub);
    }
    EXPECT_EQ(boxes(), (std::vector{ListFull(), AlreadyInList(crown)}));
    EXPECT_EQ(main.cntr, 19);
}

TEST_F(MainWindowTest, AddWithNoFileToChooseAddsNothing) {
    Main& main = window();
    ASSERT_EQ(main.FileList->model()->rowCount(), 0);

    QTest::keyClick(main.FileList, Qt::Key_Return);

    EXPECT_TRUE(entries().empty());
    EXPECT_EQ(main.cntr, 0);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(MainWindowTest, DoubleClickPreviewsThenAddsTheBytesOfTheName) {
    for (const std::string name : {"eagle", "caf\xE9-\xFF"}) {
        SCOPED_TRACE(name);
        const std::string path = file(name + ".ivb");
        const std::string picture = gif(name + ".gif", 7);
        Main& main = window();
        main.FileList->setPath(pictures);

        DoubleClick(*main.FileList, fileRow(name + ".ivb"));

        const QString shown = QFile::decodeName(QByteArray::fromStdString(path));
        EXPECT_EQ(main.windowTitle(), "Tessaly [" + shown + "]");
        EXPECT_EQ(shownPicture(), Picture(picture));
        EXPECT_EQ(main.LstFiles->path(0), path);
        EXPECT_EQ(main.LstFiles->item(0)->text(), shown);
    }
}
