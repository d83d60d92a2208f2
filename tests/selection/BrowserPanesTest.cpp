#include "ListViews.h"
#include "MainWindowFixture.h"
#include "tessaly/selection/ClickLabel.h"
#include "tessaly/selection/DirListBox.h"
#include "tessaly/selection/DriveListBox.h"
#include "tessaly/selection/FileListBox.h"
#include "tessaly/selection/PathListBox.h"

#include <QComboBox>

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
