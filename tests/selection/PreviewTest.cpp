#include "ListViews.h"
#include "MainWindowFixture.h"
#include "support/UnwrittenPipe.h"
#include "tessaly/selection/ClickLabel.h"
#include "tessaly/selection/FileListBox.h"
#include "tessaly/selection/PathListBox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

const std::string Unavailable = "Tessaly [Image Preview Unavailable]";

std::string Caption(const Main& main) {
    return main.windowTitle().toStdString();
}

// The pointer the window shows when no handler is busy.
bool PointerIsNormal(const Main& main) {
    return main.cursor().shape() == Qt::ArrowCursor;
}

struct Seen {
    std::string caption;
    Qt::CursorShape pointer;
};

// What the window shows when the events queued before a selection get their turn.
Seen& SeenInThePass(Main& main) {
    static Seen seen;
    seen = {};
    QMetaObject::invokeMethod(
        &main,
        [&main] {
            seen = {Caption(main), main.cursor().shape()};
        },
        Qt::QueuedConnection);
    return seen;
}

} // namespace

TEST_F(MainWindowTest, FileListPreviewShowsTheGifBesideTheSelectedFile) {
    const std::string eagle = gif("eagle.gif", 3);
    file("eagle.ivb");
    file("lone.ivb");
    QImage(8, 8, QImage::Format_RGB32).save(QString::fromStdString(file("photo.bmp")), "BMP");
    file("shot.bmp");
    const std::string shot = gif("shot.gif", 4);
    const std::string tower = gif("tower.gif", 5);
    file("x.jpeg");
    const std::string jgif = gif("x.jgif", 6);
    Main& main = window();
    main.PatternCombo->setCurrentIndex(8);
    const struct {
        const char* name;
        bool available;
        std::string shown; // the picture in the box afterwards
    } cases[] = {
        {"eagle.ivb", true, eagle}, {"lone.ivb", false, eagle}, {"photo.bmp", false, eagle},
        {"shot.bmp", true, shot},   {"tower.gif", true, tower}, {"x.jpeg", true, jgif},
        {"eagle.gif", true, eagle},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        selectFile(c.name);
        EXPECT_EQ(Caption(main),
                  c.available ? "Tessaly [" + pictures + "/" + c.name + "]" : Unavailable);
        EXPECT_EQ(shownPicture(), Picture(c.shown));
        EXPECT_TRUE(PointerIsNormal(main));
    }
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(fakes.sound.played.empty());
    EXPECT_TRUE(entries().empty());
}

TEST_F(MainWindowTest, NamedPipeForAPreviewIsUnavailableAndHoldsNothingUp) {
    const std::string eagle = gif("eagle.gif", 3);
    file("eagle.ivb");
    file("x.ivb");
    const UnwrittenPipe pipe(pictures + "/x.gif");
    Main& main = window();
    selectFile("eagle.ivb");
    restoreEntries({pictures + "/x.ivb"});

    selectFile("x.ivb");
    EXPECT_EQ(Caption(main), Unavailable);
    Click(*main.LstFiles, 0);
    EXPECT_EQ(Caption(main), Unavailable);

    EXPECT_FALSE(pipe.readerWaited());
    EXPECT_EQ(shownPicture(), Picture(eagle));
    EXPECT_TRUE(PointerIsNormal(main));
}

TEST_F(MainWindowTest, ArrowKeysPreviewEachFileInTurn) {
    const std::string names[] = {"a.ivb", "b.ivb", "c.ivb"};
    std::vector<std::string> gifs;
    for (int n = 0; n < 3; ++n)
        gifs.push_back(gif(std::string(1, static_cast<char>('a' + n)) + ".gif", n + 8));
    for (const auto& name : names)
        file(name);
    Main& main = window();
    selectFile("a.ivb");
    for (const int n : {1, 2, 1, 0}) {
        SCOPED_TRACE(names[n]);
        QTest::keyClick(main.FileList,
                        n > main.FileList->currentIndex().row() ? Qt::Key_Down : Qt::Key_Up);
        EXPECT_EQ(Caption(main), "Tessaly [" + pictures + "/" + names[n] + "]");
        EXPECT_EQ(shownPicture(), Picture(gifs[n]));
    }
    EXPECT_TRUE(entries().empty());
}

TEST_F(MainWindowTest, InstallationListPreviewNamesTheGifItLoaded) {
    const std::string eagle = file("eagle.ivb");
    const std::string picture = gif("eagle.gif", 3);
    restoreEntries({eagle, pictures + "/lone.ivb", "x"});
    Main& main = window();
    const struct {
        int row;
        std::string caption;
    } cases[] = {
        {0, "Tessaly [" + picture + "]"},
        {1, Unavailable},
        {2, Unavailable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        Click(*main.LstFiles, c.row);
        EXPECT_EQ(Caption(main), c.caption);
        EXPECT_EQ(shownPicture(), Picture(picture));
        EXPECT_TRUE(PointerIsNormal(main));
    }
    QTest::keyClick(main.LstFiles, Qt::Key_Home);
    EXPECT_EQ(Caption(main), "Tessaly [" + picture + "]");
    EXPECT_EQ(entries().size(), 3U);
}

TEST_F(MainWindowTest, FileListNamesTheFileBeforeLoadingAndTheListAfter) {
    const std::string eagle = file("eagle.ivb");
    gif("eagle.gif", 3);
    restoreEntries({eagle});
    Main& main = window();

    Seen& fileList = SeenInThePass(main);
    selectFile("eagle.ivb");
    EXPECT_EQ(fileList.caption, "Tessaly [" + eagle + "]");
    EXPECT_EQ(fileList.pointer, Qt::WaitCursor);

    Seen& installationList = SeenInThePass(main);
    Click(*main.LstFiles, 0);
    EXPECT_EQ(installationList.caption, "Tessaly [" + eagle + "]");
    EXPECT_EQ(installationList.pointer, Qt::WaitCursor);
    EXPECT_EQ(Caption(main), "Tessaly [" + pictures + "/eagle.gif]");
    EXPECT_TRUE(PointerIsNormal(main));
}

TEST_F(MainWindowTest, DoubleClickArrivingDuringThePreviewAddsInsideIt) {
    const std::string eagle = file("eagle.ivb");
    const std::string picture = gif("eagle.gif", 3);
    Main& main = window();
    QWidget* viewport = main.FileList->viewport();
    const QPoint at = CentreOf(*main.FileList, fileRow("eagle.ivb"));
    QCoreApplication::postEvent(viewport, new QMouseEvent(QEvent::MouseButtonDblClick, at,
                                                          viewport->mapToGlobal(at), Qt::LeftButton,
                                                          Qt::LeftButton, {}));

    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);

    EXPECT_EQ(entries(), std::vector{eagle});
    EXPECT_EQ(Caption(main), "Tessaly [" + eagle + "]");
    EXPECT_EQ(shownPicture(), Picture(picture));
    EXPECT_TRUE(PointerIsNormal(main));
}

TEST_F(MainWindowTest, EntryRemovedDuringItsPreviewIsStillPreviewed) {
    const std::string eagle = file("eagle.ivb");
    const std::string picture = gif("eagle.gif", 3);
    restoreEntries({eagle});
    Main& main = window();
    QCoreApplication::postEvent(main.LstFiles,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, {}, "\r"));

    Click(*main.LstFiles, 0);

    EXPECT_TRUE(entries().empty());
    EXPECT_EQ(main.cntr, 0);
    EXPECT_EQ(Caption(main), "Tessaly [" + picture + "]");
    EXPECT_EQ(shownPicture(), Picture(picture));
    EXPECT_TRUE(PointerIsNormal(main));
}

// The file list names a file before its picture loads, so a selection that arrives in between
// leaves its own name over the first file's picture; the installation list names the picture
// after loading it and stays consistent.
TEST_F(MainWindowTest, SelectionArrivingDuringThePreviewRunsFirst) {
    const std::string a = file("a.ivb");
    const std::string b = file("b.ivb");
    const std::string aGif = gif("a.gif", 3);
    const std::string bGif = gif("b.gif", 4);
    restoreEntries({a, b});
    Main& main = window();

    QCoreApplication::postEvent(main.FileList, new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, {}));
    selectFile("a.ivb");
    EXPECT_EQ(main.FileList->fileName(), "b.ivb");
    EXPECT_EQ(Caption(main), "Tessaly [" + b + "]");
    EXPECT_EQ(shownPicture(), Picture(aGif));

    QCoreApplication::postEvent(main.LstFiles, new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, {}));
    Click(*main.LstFiles, 0);
    EXPECT_EQ(main.LstFiles->selectedRow(), 1);
    EXPECT_EQ(Caption(main), "Tessaly [" + aGif + "]");
    EXPECT_EQ(shownPicture(), Picture(aGif));
    EXPECT_TRUE(PointerIsNormal(main));
}

TEST_F(MainWindowTest, ClickOnThePreviewBoxPlaysItsCueAndNothingElse) {
    Main& main = window();
    const QString caption = main.windowTitle();
    ASSERT_TRUE(main.FileImage->pixmap().isNull());

    QTest::mouseClick(main.FileImage, Qt::LeftButton);

    EXPECT_EQ(fakes.sound.played, (std::vector{std::pair(kit.str() + "/appdata/audio/carbine.wav",
                                                         platform::Wait::No)}));
    EXPECT_EQ(main.windowTitle(), caption);
    EXPECT_TRUE(main.FileImage->pixmap().isNull());
}
