#include "ListViews.h"
#include "support/FakeServices.h"
#include "support/TempDir.h"
#include "tessaly/common/CharacterKey.h"
#include "tessaly/common/WindowLook.h"
#include "tessaly/selection/DirListBox.h"
#include "tessaly/selection/DriveListBox.h"
#include "tessaly/selection/FileListBox.h"
#include "tessaly/selection/PathListBox.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

void Show(QWidget& widget) {
    widget.resize(300, 400);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
}

// ---- Which keys are character keys ----------------------------------------------------------

struct KeyCase {
    const char* what;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString text; // as the platform attaches it to the event
    std::optional<int> code;
};

TEST(CharacterKey, GivesTheCodeOfKeysThatProduceOne) {
    const KeyCase cases[] = {
        {"letter", Qt::Key_A, Qt::NoModifier, "a", 'a'},
        {"capital", Qt::Key_A, Qt::ShiftModifier, "A", 'A'},
        {"digit", Qt::Key_5, Qt::NoModifier, "5", '5'},
        {"punctuation", Qt::Key_Comma, Qt::NoModifier, ",", ','},
        {"non-ASCII letter", Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9)), 0xE9},
        {"space", Qt::Key_Space, Qt::NoModifier, " ", ' '},
        {"return", Qt::Key_Return, Qt::NoModifier, "\r", 13},
        {"keypad enter", Qt::Key_Enter, Qt::KeypadModifier, "\r", 13},
        {"return without text", Qt::Key_Return, Qt::NoModifier, "", 13},
        {"backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", 8},
        {"escape", Qt::Key_Escape, Qt::NoModifier, "\x1b", 27},
        {"escape without text", Qt::Key_Escape, Qt::NoModifier, "", 27},
        {"control letter", Qt::Key_C, Qt::ControlModifier, "\x03", 3},
        {"delete", Qt::Key_Delete, Qt::NoModifier, "\x7f", std::nullopt},
        {"tab", Qt::Key_Tab, Qt::NoModifier, "\t", std::nullopt},
        {"back tab", Qt::Key_Backtab, Qt::ShiftModifier, "", std::nullopt},
        {"left", Qt::Key_Left, Qt::NoModifier, "", std::nullopt},
        {"home", Qt::Key_Home, Qt::NoModifier, "", std::nullopt},
        {"page up", Qt::Key_PageUp, Qt::NoModifier, "", std::nullopt},
        {"insert", Qt::Key_Insert, Qt::NoModifier, "", std::nullopt},
        {"F1", Qt::Key_F1, Qt::NoModifier, "", std::nullopt},
        {"shift alone", Qt::Key_Shift, Qt::ShiftModifier, "", std::nullopt},
        {"control alone", Qt::Key_Control, Qt::ControlModifier, "", std::nullopt},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.text);
        EXPECT_EQ(CharacterCode(event), c.code);
        EXPECT_EQ(IsCharacterKey(event), c.code.has_value());
    }
}

// ---- File list ------------------------------------------------------------------------------

class FileListBoxTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"apple.ivb", "Banana.IVB", "cherry.gif", ".hidden.ivb"}) {
            folder.file(name);
        }
        folder.folder("dates.ivb");
        list.setPath(folder.str());
        Show(list);
    }

    TempDir folder;
    FileListBox list;
};

TEST_F(FileListBoxTest, ShowsTheFilesMatchingThePattern) {
    const struct {
        const char* pattern;
        Names expected;
    } cases[] = {
        {"*.*", {"apple.ivb", "Banana.IVB", "cherry.gif"}},
        {"*.ivb", {"apple.ivb", "Banana.IVB"}},
        {"*.GIF", {"cherry.gif"}},
        {"*.gif;*.ivb", {"apple.ivb", "Banana.IVB", "cherry.gif"}},
        {"*.bmp", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        list.setPattern(c.pattern);
        EXPECT_EQ(Rows(list), c.expected);
    }
}

TEST_F(FileListBoxTest, PatternStaysWhenThePathChanges) {
    TempDir other;
    other.file("fig.ivb");
    other.file("grape.gif");
    list.setPattern("*.ivb");

    list.setPath(other.str());

    EXPECT_EQ(list.path(), other.str());
    EXPECT_EQ(Rows(list), Names{"fig.ivb"});
}

TEST_F(FileListBoxTest, FolderThatCannotBeListedKeepsTheOldContents) {
    const Names before = Rows(list);

    EXPECT_THROW(list.setPath((folder.path() / "missing").string()), std::runtime_error);
    EXPECT_THROW(list.setPath((folder.path() / "apple.ivb").string()), std::runtime_error);

    EXPECT_EQ(list.path(), folder.str());
    EXPECT_EQ(Rows(list), before);
}

TEST_F(FileListBoxTest, PatternOnAVanishedFolderShowsNoFiles) {
    TempDir gone;
    gone.file("x.ivb");
    list.setPath(gone.str());
    fs::remove_all(gone.path());

    EXPECT_NO_THROW(list.setPattern("*.ivb"));
    EXPECT_EQ(Rows(list), Names{});
}

TEST_F(FileListBoxTest, KeepsANameThatIsNotUtf8ByteForByte) {
    const std::string name = "caf\xE9-\xFF.ivb";
    folder.file(name);
    list.setPattern("*.ivb");
    ASSERT_EQ(Rows(list), (Names{"apple.ivb", "Banana.IVB", name}));

    Click(list, 2);

    EXPECT_EQ(list.fileName(), name);
}

TEST_F(FileListBoxTest, ReportsSelectionByMouseAndKeyboardButNotByRefresh) {
    QSignalSpy selected(&list, &FileListBox::selectionChanged);
    EXPECT_EQ(list.fileName(), "");

    Click(list, 1);
    EXPECT_EQ(list.fileName(), "Banana.IVB");
    EXPECT_EQ(selected.count(), 1);

    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.fileName(), "cherry.gif");
    EXPECT_EQ(selected.count(), 2);

    list.setPattern("*.ivb");
    EXPECT_EQ(list.fileName(), "");
    EXPECT_EQ(selected.count(), 2);
}

TEST_F(FileListBoxTest, ReportsDoubleClickOnAFile) {
    QSignalSpy doubled(&list, &FileListBox::doubleClicked);

    DoubleClick(list, 0);

    EXPECT_EQ(doubled.count(), 1);
    EXPECT_EQ(list.fileName(), "apple.ivb");
}

TEST_F(FileListBoxTest, ReportsCharacterKeysOnly) {
    const struct {
        Qt::Key key;
        std::optional<int> code;
    } cases[] = {
        {Qt::Key_Return, 13},         {Qt::Key_Space, ' '},         {Qt::Key_X, 'x'},
        {Qt::Key_Backspace, 8},       {Qt::Key_Escape, 27},         {Qt::Key_Delete, std::nullopt},
        {Qt::Key_Left, std::nullopt}, {Qt::Key_Down, std::nullopt}, {Qt::Key_F1, std::nullopt},
        {Qt::Key_Home, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key).toString().toStdString());
        QSignalSpy keys(&list, &FileListBox::characterKey);
        QTest::keyClick(&list, c.key);
        ASSERT_EQ(keys.count(), c.code ? 1 : 0);
        if (c.code) {
            EXPECT_EQ(keys.front().front().toInt(), *c.code);
        }
    }
}

TEST_F(FileListBoxTest, LetterReportsBeforeTheSelectionMoves) {
    Click(list, 0);
    std::vector<std::string> events;
    QObject::connect(&list, &FileListBox::characterKey, [&](int code) {
        events.push_back(std::string("key ") + static_cast<char>(code) + " on " + list.fileName());
    });
    QObject::connect(&list, &FileListBox::selectionChanged,
                     [&] { events.push_back("selected " + list.fileName()); });

    QTest::keyClick(&list, Qt::Key_C);

    EXPECT_EQ(events, (Names{"key c on apple.ivb", "selected cherry.gif"}));
}

// ---- Folder list ----------------------------------------------------------------------------

class DirListBoxTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* sub : {"top/mid/zeta", "top/mid/Alpha", "top/mid/.hidden", "top/other"}) {
            folder.folder(sub);
        }
        folder.file("top/mid/file.ivb");
        mid = (folder.path() / "top/mid").string();
        list.setPath(mid);
        Show(list);
    }

    // "/" and each folder of the temporary folder's own path, down to it.
    Names chainTo(const Names& below) const {
        Names chain{"/"};
        for (const fs::path& part : folder.path().relative_path()) {
            chain.push_back(part.string());
        }
        chain.insert(chain.end(), below.begin(), below.end());
        return chain;
    }

    TempDir folder;
    DirListBox list;
    std::string mid;
};

TEST_F(DirListBoxTest, ShowsTheChainThenTheSubFolders) {
    Names expected = chainTo({"top", "mid"});
    const int current = static_cast<int>(expected.size()) - 1;
    expected.insert(expected.end(), {"Alpha", "zeta"});

    EXPECT_EQ(Rows(list), expected);
    EXPECT_EQ(list.path(), mid);
    EXPECT_EQ(list.currentIndex().row(), current);
    EXPECT_TRUE(list.selectionModel()->isRowSelected(current));
}

TEST_F(DirListBoxTest, WritesThePathOneWay) {
    const std::string top = (folder.path() / "top").string();
    const struct {
        std::string given;
        std::string expected;
    } cases[] = {
        {mid + "/", mid}, {mid + "//", mid}, {top + "/./mid", mid}, {mid + "/../mid/zeta/..", mid},
        {"/", "/"},       {"/..", "/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        list.setPath(c.given);
        EXPECT_EQ(list.path(), c.expected);
    }
}

TEST_F(DirListBoxTest, DoubleClickOpensASubFolder) {
    QSignalSpy changed(&list, &DirListBox::pathChanged);

    DoubleClick(list, RowOf(list, "zeta"));

    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(list.path(), mid + "/zeta");
    EXPECT_EQ(Rows(list), chainTo({"top", "mid", "zeta"}));
}

TEST_F(DirListBoxTest, DoubleClickOpensAFolderOfTheChain) {
    QSignalSpy changed(&list, &DirListBox::pathChanged);

    DoubleClick(list, RowOf(list, "top"));

    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(list.path(), (folder.path() / "top").string());
    EXPECT_EQ(Rows(list), chainTo({"top", "mid", "other"}));
}

TEST_F(DirListBoxTest, EnterOpensTheCurrentEntry) {
    QSignalSpy changed(&list, &DirListBox::pathChanged);
    list.setCurrentIndex(list.model()->index(RowOf(list, "Alpha"), 0));

    QTest::keyClick(&list, Qt::Key_Return);

    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(list.path(), mid + "/Alpha");
}

TEST_F(DirListBoxTest, FolderThatCannotBeListedKeepsTheOldOne) {
    QSignalSpy changed(&list, &DirListBox::pathChanged);
    const Names before = Rows(list);

    EXPECT_THROW(list.setPath(mid + "/missing"), std::runtime_error);
    EXPECT_THROW(list.setPath(mid + "/file.ivb"), std::runtime_error);
    EXPECT_THROW(list.setPath(""), std::runtime_error);

    EXPECT_EQ(list.path(), mid);
    EXPECT_EQ(Rows(list), before);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(DirListBoxTest, OpeningAFolderThatHasGoneStaysPut) {
    QSignalSpy changed(&list, &DirListBox::pathChanged);
    fs::remove(folder.path() / "top/mid/zeta");

    DoubleClick(list, RowOf(list, "zeta"));

    EXPECT_EQ(list.path(), mid);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(DirListBoxTest, SamePathRefreshesWithoutAChange) {
    QSignalSpy changed(&list, &DirListBox::pathChanged);
    folder.folder("top/mid/new");

    list.setPath(mid + "/");

    EXPECT_EQ(changed.count(), 0);
    EXPECT_NE(RowOf(list, "new"), static_cast<int>(Rows(list).size()));
}

// ---- All three lists ------------------------------------------------------------------------

// A file list, a folder list and an installation list over the same names (files "NAME.ivb",
// sub-folders "NAME" and paths "/NAME"), each in a black window at the size of its pane.
class PaneLists {
public:
    explicit PaneLists(const Names& names) {
        PaintBlack(window);
        for (const std::string& name : names) {
            folder.file(name + ".ivb");
            folder.folder(name);
            paths.insertPath(paths.count(), "/" + name);
        }
        files.setPath(folder.str());
        folders.setPath(folder.str());
        for (QAbstractItemView* list : all()) {
            list->setParent(&window);
            list->resize(145, 156);
        }
        paths.move(150, 0);
        files.move(300, 0);
        window.resize(450, 160);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    std::vector<QAbstractItemView*> all() { return {&folders, &files, &paths}; }
    // The lists that scroll sideways to a long name; the list of paths shortens it instead.
    std::vector<QAbstractItemView*> browsers() { return {&folders, &files}; }

    TempDir folder;
    QWidget window;
    DirListBox folders;
    FileListBox files;
    PathListBox paths;
};

// The list lays out its rows from one row's size; every row's name must count all the same.
TEST(PaneLists, ScrollSidewaysOnlyWhenANameDoesNotFit) {
    const std::string tooLong = "a name far too long for the narrow pane";
    const struct {
        const char* what;
        Names names;
        bool scrolls;
    } cases[] = {
        {"all fit", {"alpha", "beta", "gamma"}, false},
        {"long first", {"alpha " + tooLong, "beta", "gamma"}, true},
        {"long in the middle", {"alpha", "beta " + tooLong, "gamma"}, true},
        {"long last", {"alpha", "beta", "gamma " + tooLong}, true},
    };
    for (const auto& c : cases) {
        PaneLists lists(c.names);
        for (QAbstractItemView* list : lists.browsers()) {
            SCOPED_TRACE(std::string(c.what) + " in " + list->metaObject()->className());
            EXPECT_EQ(list->horizontalScrollBar()->isVisible(), c.scrolls);
            // Scrolled to its end, the widest row ends in view.
            list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->maximum());
            const int last = list->model()->rowCount() - 1;
            int widest = 0;
            for (int row = 0; row <= last; ++row)
                widest = std::max(widest, list->visualRect(list->model()->index(row, 0)).right());
            EXPECT_LE(widest, list->viewport()->rect().right());
        }
    }
}

TEST(PaneLists, CornerBetweenTheScrollBarsIsNotTheWindowsBlack) {
    Names names;
    for (int i = 0; i < 20; ++i)
        names.push_back("a name too long for the pane, number " + std::to_string(i));
    PaneLists lists(names);
    for (QAbstractItemView* list : lists.browsers()) {
        SCOPED_TRACE(list->metaObject()->className());
        ASSERT_TRUE(list->horizontalScrollBar()->isVisible());
        ASSERT_TRUE(list->verticalScrollBar()->isVisible());
        const int inset = list->frameWidth() + 2;
        const QImage shot = list->grab().toImage();
        EXPECT_NE(shot.pixelColor(shot.width() - inset, shot.height() - inset), QColor(Qt::black));
    }
}

// Two paths that differ only near their end must not read alike: each is shortened in its
// middle, never scrolled sideways, and shows whole as its tooltip.
TEST(PaneLists, PathsTooLongForTheListKeepTheirEndsInView) {
    const std::string folder = "/home/someone/games/ironvale/armpatches/collected/demo/pictures/";
    PathListBox paths;
    for (const char* name : {"emblem-of-the-north.ivb", "emblem-of-the-south.ivb"})
        paths.insertPath(paths.count(), folder + name);
    Show(paths);
    EXPECT_FALSE(paths.horizontalScrollBar()->isVisible());
    EXPECT_EQ(paths.textElideMode(), Qt::ElideMiddle);
    for (int row = 0; row < paths.count(); ++row) {
        EXPECT_LE(paths.visualRect(paths.model()->index(row, 0)).right(),
                  paths.viewport()->rect().right());
        EXPECT_EQ(paths.item(row)->toolTip().toStdString(), paths.path(row));
    }
}

// ---- Drive list -----------------------------------------------------------------------------

class DriveListBoxTest : public testing::Test {
protected:
    static FakeDrives Drives() {
        FakeDrives drives;
        drives.list = {{"/", platform::DriveKind::Fixed},
                       {"/media/usb", platform::DriveKind::Removable},
                       {"/mnt/\xFF", platform::DriveKind::Fixed},
                       {"/proc", platform::DriveKind::Pseudo},
                       {"/dev/shm", platform::DriveKind::Ram},
                       {"/sys/fs/cgroup", platform::DriveKind::Ram}};
        return drives;
    }

    FakeDrives drives = Drives();
    DriveListBox list{drives};
};

TEST_F(DriveListBoxTest, ListsTheDriveRootsButNotTheKernelsWithTheFirstCurrent) {
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.itemText(1), "/media/usb");
    EXPECT_EQ(list.drive(), "/");
}

TEST_F(DriveListBoxTest, SetDriveReportsTheChange) {
    QSignalSpy changed(&list, &DriveListBox::driveChanged);

    list.setDrive("/mnt/\xFF");

    EXPECT_EQ(list.drive(), "/mnt/\xFF");
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(DriveListBoxTest, UnknownDriveThrowsAndKeepsTheCurrentOne) {
    list.setDrive("/media/usb");
    QSignalSpy changed(&list, &DriveListBox::driveChanged);

    for (const char* text : {"/media", "/media/usb/", "/MEDIA/USB", ""}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(list.setDrive(text), std::runtime_error);
    }
    EXPECT_EQ(list.drive(), "/media/usb");
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(DriveListBoxTest, CharacterKeyReportsBeforeTheListMoves) {
    Show(list);
    std::vector<std::string> events;
    QObject::connect(&list, &DriveListBox::characterKey, [&](int code) {
        events.push_back("key " + std::to_string(code) + " on " + list.drive());
    });
    QObject::connect(&list, &DriveListBox::driveChanged,
                     [&] { events.push_back("changed to " + list.drive()); });

    QTest::keyClick(&list, Qt::Key_Slash);
    QTest::keyClick(&list, Qt::Key_Down);

    EXPECT_EQ(events, (Names{"key 47 on /", "changed to /media/usb", "changed to /mnt/\xFF"}));
}

TEST(DriveListBox, ShortensALongPathInTheMiddleAndKeepsTheDropDownNarrow) {
    const std::string tail = "/the-last-folder";
    std::string longPath = "/mnt/container";
    for (int level = 0; level < 30; ++level)
        longPath += "/level-" + std::to_string(level);
    longPath += tail;
    FakeDrives drives;
    drives.list = {{"/", platform::DriveKind::Fixed}, {longPath, platform::DriveKind::Network}};
    DriveListBox list(drives);
    list.resize(145, 21);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    list.setDrive(longPath);

    const QString shown = list.itemText(1);
    EXPECT_TRUE(shown.startsWith("/mnt/container")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QString::fromStdString(tail))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_EQ(list.itemData(1, Qt::ToolTipRole).toString().toStdString(), longPath);
    EXPECT_EQ(list.drive(), longPath);

    list.showPopup();
    const QWidget* dropDown = list.view()->window();
    ASSERT_TRUE(dropDown->isVisible());
    EXPECT_LE(dropDown->width(), 3 * list.width());
    EXPECT_GE(dropDown->width(), list.width());
    list.hidePopup();
}

TEST(DriveListBox, NoDrivesGivesNoDrive) {
    // No machine lists no drive at all, and the fake lists "/" as they do; the box copes anyway.
    class NoDrives : public platform::DriveRoots {
    public:
        std::vector<platform::Drive> drives() const override { return {}; }
    };
    const NoDrives none;
    const DriveListBox list(none);
    EXPECT_EQ(list.drive(), "");
}

} // namespace
