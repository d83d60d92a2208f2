#include "ListViews.h"
#include "MainWindowFixture.h"
#include "tessaly/common/SettingsFile.h"
#include "tessaly/selection/ClickLabel.h"
#include "tessaly/selection/DirListBox.h"
#include "tessaly/selection/DriveListBox.h"
#include "tessaly/selection/FileListBox.h"
#include "tessaly/selection/PathListBox.h"

#include <QComboBox>

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using platform::Wait;

class BrowserPanes : public MainWindowTest {
protected:
    BrowserPanes() {
        for (const char* name : {"a.gif", "b.JPG", "c.ico", "d.bmp", "e.wmf", "f.dib", "g.ivb",
                                 "h.txt", "emblems/crown.gif", "emblems/crown.ivb"})
            file(name);
    }
    std::vector<std::pair<std::string, Wait>> played() { return fakes.sound.played; }
    std::pair<std::string, Wait> cue(const std::string& name, Wait wait) const {
        return {kit.str() + "/appdata/audio/" + name, wait};
    }
};

TEST_F(BrowserPanes, TypeFilterNarrowsTheFileList) {
    Main& main = window();
    const struct {
        int entry;
        Names shown;
    } cases[] = {
        {7, {"g.ivb"}},
        {6, {"a.gif", "b.JPG", "c.ico", "d.bmp", "e.wmf", "f.dib"}},
        {8, {"a.gif", "b.JPG", "c.ico", "d.bmp", "e.wmf", "f.dib", "g.ivb", "h.txt"}},
        {2, {"b.JPG"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        main.PatternCombo->setCurrentIndex(c.entry);
        EXPECT_EQ(Rows(*main.FileList), c.shown);
    }
}

TEST_F(BrowserPanes, OpeningAFolderKeepsThePattern) {
    Main& main = window();
    main.PatternCombo->setCurrentIndex(1);

    DoubleClick(*main.DirList, RowOf(*main.DirList, "emblems"));

    EXPECT_EQ(main.FileList->path(), pictures + "/emblems");
    EXPECT_EQ(Rows(*main.FileList), Names{"crown.gif"});
}

TEST_F(BrowserPanes, UnreachableDriveSaysSoOnceAndKeepsTheFolder) {
    Main& main = window();
    const Names before = Rows(*main.FileList);

    QTest::keyClick(main.DriveList, Qt::Key_Down);

    const platform::BoxRequest unavailable{"Tessaly", "Error, device currently unavailable.",
                                           platform::BoxIcon::Critical, platform::BoxButtons::Ok};
    EXPECT_EQ(boxes(), std::vector{unavailable});
    EXPECT_EQ(main.DriveList->drive(), unreachableDrive);
    EXPECT_EQ(main.DirList->path(), pictures);
    EXPECT_EQ(main.FileList->path(), pictures);
    EXPECT_EQ(Rows(*main.FileList), before);
}

TEST_F(BrowserPanes, CharacterInTheDriveListOpensTheSelectedDrive) {
    Main& main = window();

    QTest::keyClick(main.DriveList, Qt::Key_Q);

    EXPECT_EQ(main.DriveList->drive(), "/");
    EXPECT_EQ(main.DirList->path(), "/");
    EXPECT_EQ(main.FileList->path(), "/");
    EXPECT_TRUE(boxes().empty());
}

TEST_F(BrowserPanes, BrowsingWithoutAddingWritesNoSettings) {
    const std::string before = ReadBytes(settings());
    Main& main = window();

    main.PatternCombo->setCurrentIndex(8);
    selectFile("a.gif");
    DoubleClick(*main.DirList, RowOf(*main.DirList, "emblems"));
    QTest::keyClick(main.DriveList, Qt::Key_Q);

    EXPECT_EQ(main.DirList->path(), "/");
    EXPECT_EQ(ReadBytes(settings()), before);
}

// A folder below base (whose path is ASCII) whose whole path is `characters` characters long,
// most of them two bytes long, so that a count of bytes would come out far higher.
std::string FolderOfLength(const TempDir& disks, const std::string& base, std::size_t characters) {
    const auto name = [](std::size_t length) {
        std::string name;
        for (std::size_t i = 0; i < length; ++i)
            name += "\xC3\xA9";
        return name;
    };
    std::string path = base;
    std::size_t left = characters - base.size();
    for (; left > 101; left -= 101)
        path += "/" + name(100);
    path += "/" + name(left - 1);
    return disks.folder(fs::path(path).lexically_relative(disks.path())).string();
}

// The next start sets the folder list from the saved folder: one cut short would stop it.
TEST_F(BrowserPanes, AddAttemptKeepsTheEarlierPositionWhenTheNewOneWouldNotReadBack) {
    Main& main = window();
    const std::string before = ReadBytes(settings());
    for (const std::size_t characters : {254, 255}) {
        SCOPED_TRACE(characters);
        const std::string folder = FolderOfLength(disks, pictures, characters);
        main.DirList->setPath(folder);
        main.FileList_KeyPress('\r');
        if (characters <= 254) {
            EXPECT_EQ(ReadINI("Browse For File", "DefaultDirectory", settings()), folder);
        } else {
            EXPECT_EQ(ReadBytes(settings()), before);
        }
        kit.file("Tessaly.ini", before);
    }
}

TEST_F(BrowserPanes, LogoPlaysTwoCuesOneAfterTheOther) {
    QTest::mouseClick(window().Logo, Qt::LeftButton);
    EXPECT_EQ(played(),
              (std::vector{cue("mouseclick.wav", Wait::UntilEnd), cue("ok.wav", Wait::No)}));
}

TEST_F(BrowserPanes, BackgroundClickPlaysOneCue) {
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(530, 10));
    EXPECT_EQ(played(), std::vector{cue("carbine.wav", Wait::No)});
}

TEST_F(BrowserPanes, BrowsingTheListsAndPreviewingPlayNothing) {
    gif("g.gif", 2);
    Main& main = window();
    QWidget* list = main.LstFiles->viewport();

    DoubleClick(*main.FileList, RowOf(*main.FileList, "g.ivb"));
    QTest::keyClick(main.FileList, Qt::Key_Space);
    DoubleClick(*main.LstFiles, 0);
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(5, list->height() - 5));
    QTest::mouseClick(main.FileList->viewport(), Qt::LeftButton);
    DoubleClick(*main.DirList, RowOf(*main.DirList, "emblems"));
    main.PatternCombo->setCurrentIndex(8);

    EXPECT_TRUE(played().empty());
    EXPECT_EQ(boxes().size(), 1U);
}

// A name may hold a line break. Every pane and the caption show it on one line with a visible
// mark for the break, while what is added and previewed is the real name.
TEST_F(BrowserPanes, NameWithALineBreakShowsOnOneLineAndStaysItself) {
    disks.folder("pictures/two\nrows");
    const std::string named = file("zz\nlines.ivb");
    const std::string picture = gif("zz\nlines.gif", 2);
    Main& main = window();
    const auto shown = [](const std::string& path) {
        return QString::fromStdString(path).replace('\n', QChar(0x2424)).toStdString();
    };

    const struct {
        QAbstractItemView* view;
        std::string name;
    } rows[] = {{main.DirList, "two\nrows"}, {main.FileList, "zz\nlines.ivb"}};
    for (const auto& [view, name] : rows) {
        SCOPED_TRACE(view->metaObject()->className());
        const QModelIndex index = view->model()->index(RowOf(*view, name), 0);
        EXPECT_EQ(index.data().toString().toStdString(), shown(name));
        EXPECT_LT(view->visualRect(index).height(), 2 * view->fontMetrics().height());
    }

    selectFile("zz\nlines.ivb");
    EXPECT_EQ(main.windowTitle().toStdString(), "Tessaly [" + shown(named) + "]");

    QTest::keyClick(main.FileList, Qt::Key_Space);
    EXPECT_EQ(entries(), Names{named});
    EXPECT_EQ(main.LstFiles->item(0)->text().toStdString(), shown(named));

    Click(*main.LstFiles, 0);
    EXPECT_EQ(main.windowTitle().toStdString(), "Tessaly [" + shown(picture) + "]");
    EXPECT_EQ(shownPicture(), Picture(picture));
}

TEST_F(BrowserPanes, FolderAndFileListsShareCompactRows) {
    Main& main = window();
    const int folderRow = main.DirList->visualRect(main.DirList->model()->index(0, 0)).height();
    const int fileRow = main.FileList->visualRect(main.FileList->model()->index(0, 0)).height();

    EXPECT_EQ(folderRow, fileRow);
    EXPECT_LE(folderRow, main.FileList->fontMetrics().lineSpacing() + 2);
}

// However deep the current folder lies, the list shows it with its first sub-folders below it:
// at start-up, before the window is shown, and when the user opens a folder with many.
TEST_F(BrowserPanes, ShowsTheCurrentFolderWithItsSubFoldersInView) {
    const std::string deep = "pictures/a/b/c/d/e/f/g/h";
    for (const char* sub : {"i/badges", "i/emblems", "i/flags"})
        disks.folder(deep + "/" + sub);
    for (int n = 10; n < 40; ++n)
        disks.folder(deep + "/many/" + std::to_string(n));
    kit.file("Tessaly.ini", "[Ironvale]\nDirectory=/g\n[Browse For File]\nDefaultDirectory=" +
                                (disks.path() / deep / "i").string() + "\n");
    Main& main = window();

    for (const char* folder : {"i", "many"}) {
        SCOPED_TRACE(folder);
        if (main.DirList->path() != (disks.path() / deep / folder).string())
            main.DirList->setPath((disks.path() / deep / folder).string());
        const QRect inView = main.DirList->viewport()->rect();
        const int current = main.DirList->currentIndex().row();
        for (const int row : {current, current + 1, current + 2, current + 3}) {
            const QRect shown = main.DirList->visualRect(main.DirList->model()->index(row, 0));
            EXPECT_GE(shown.top(), inView.top()) << row;
            EXPECT_LE(shown.bottom(), inView.bottom()) << row;
        }
    }
}

// Makes `folder` the process's working folder for the scope of the object.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

TEST(StartingFolder, IsTheWorkingFolderByTheBytesOfItsName) {
    for (const std::string name : {"plain", "caf\xE9"}) {
        SCOPED_TRACE(name);
        const TempDir disks;
        const std::string folder = disks.folder(name).string();
        disks.file(name + "/eagle.ivb");
        FakeServices fakes;
        fakes.programFolder.folder = disks.str();
        fakes.drives.list = {{"/", platform::DriveKind::Fixed}};
        const WorkingFolder here(folder);

        const Main main(fakes.services());

        EXPECT_EQ(main.DriveList->drive(), "/");
        EXPECT_EQ(main.DirList->path(), folder);
        EXPECT_EQ(main.FileList->path(), folder);
        EXPECT_EQ(Rows(*main.FileList), Names{"eagle.ivb"});
    }
}
