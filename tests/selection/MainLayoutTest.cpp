#include "support/FakeServices.h"
#include "support/TempDir.h"
#include "tessaly/Main.h"
#include "tessaly/selection/ClickLabel.h"
#include "tessaly/selection/DirListBox.h"
#include "tessaly/selection/DriveListBox.h"
#include "tessaly/selection/FileListBox.h"
#include "tessaly/selection/PathListBox.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct Row {
    const char* name;
    QWidget* widget;
    QRect twips; // left, top, width, height as designed
    const char* caption;
    const char* tooltip;
};

class MainLayout : public testing::Test {
protected:
    MainLayout() {
        std::filesystem::copy(TESSALY_KIT_DIR, kit.path(),
                              std::filesystem::copy_options::recursive);
        fakes.programFolder.folder = kit.str();
    }
    TempDir kit;
    FakeServices fakes;
};

} // namespace

TEST_F(MainLayout, ControlsSitWhereDesigned) {
    Main main(fakes.services());
    const std::vector<Row> table{
        {"DriveList", main.DriveList, {120, 120, 2175, 315}, "", ""},
        {"DirList", main.DirList, {120, 480, 2175, 2340}, "", ""},
        {"FileList",
         main.FileList,
         {120, 2880, 2175, 3000},
         "",
         "FileList: Single Click to Preview File.  Dbl Click to Add File to List"},
        {"PatternCombo", main.PatternCombo, {120, 5880, 2175, 315}, "", ""},
        {"Logo", main.Logo, {2640, 0, 5130, 1815}, "", ""},
        {"LstFiles",
         main.LstFiles,
         {2400, 1920, 4575, 3960},
         "",
         "Installation List: Single Click to Preview File.  Dbl Click to Remove File From List"},
        {"FileImage", main.FileImage, {7185, 2040, 675, 675}, "", ""},
        {"cmdClear",
         main.cmdClear,
         {7110, 2955, 855, 375},
         "&Clear",
         "Clear list of selected armpatches."},
        {"cmdInstall",
         main.cmdInstall,
         {7110, 3435, 855, 375},
         "&Install",
         "Install armpatches that appear in the center listbox."},
        {"cmdHelp",
         main.cmdHelp,
         {7110, 3930, 855, 375},
         "&Help",
         "Help, tips and info on Orvik's Tessaly."},
        {"cmdAbout", main.cmdAbout, {7110, 4425, 855, 375}, "&About", "About Orvik's Tessaly."},
        {"cmdDefaults",
         main.cmdDefaults,
         {7110, 4905, 855, 375},
         "&Defaults",
         "Restore armpatch files to the Ironvale defaults."},
        {"cmdQuit", main.cmdQuit, {7110, 5400, 855, 375}, "&Quit", "Exit"},
        {"lblGameFolder", main.lblGameFolder, {2400, 5880, 5565, 315}, "", ""},
    };
    for (const auto& [name, widget, twips, caption, tooltip] : table) {
        SCOPED_TRACE(name);
        EXPECT_EQ(widget->geometry(),
                  QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
        EXPECT_EQ(widget->toolTip(), QString::fromUtf8(tooltip));
        if (const auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_EQ(button->text(), QString::fromUtf8(caption));
        }
    }
}

TEST_F(MainLayout, TabOrderRunsFromTypeFilterToQuit) {
    Main main(fakes.services());
    const std::vector<QWidget*> order{main.PatternCombo, main.DriveList, main.DirList,
                                      main.FileList,     main.LstFiles,  main.cmdClear,
                                      main.cmdInstall,   main.cmdHelp,   main.cmdAbout,
                                      main.cmdDefaults,  main.cmdQuit};
    // The focus chain also holds the controls' inner parts; only the controls count here.
    std::vector<QWidget*> chain;
    QWidget* widget = main.PatternCombo;
    do {
        if (std::find(order.begin(), order.end(), widget) != order.end())
            chain.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != main.PatternCombo && chain.size() < order.size());
    EXPECT_EQ(chain, order);
}

TEST_F(MainLayout, BlackWindowWithStoredCaptionAndLogo) {
    Main main(fakes.services());
    EXPECT_EQ(main.objectName(), "Main");
    EXPECT_EQ(main.windowTitle(), "Orvik's Ironvale Loomwright");
    EXPECT_EQ(main.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(main.width(), 540);
    EXPECT_FALSE(main.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(main.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_GE(main.height(), 402);
    EXPECT_GE(main.height(), main.PatternCombo->geometry().bottom() + 1);
    EXPECT_EQ(main.Logo->pixmap().size(), QSize(342, 121));
    EXPECT_TRUE(main.FileImage->pixmap().isNull());
    EXPECT_EQ(main.Logo->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(main.FileImage->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(main.PatternCombo->count(), 0);
    EXPECT_EQ(main.cntr, 0);
    EXPECT_FALSE(main.SetupError);
}

// Whatever the font, the window must hold every control whole, none may cover another, and
// no button may clip its caption.
TEST_F(MainLayout, ControlsFitTheWindowWithoutOverlapOrClippedCaptions) {
    Main main(fakes.services());
    main.show();
    const std::vector<QWidget*> controls{
        main.DriveList, main.DirList,     main.FileList, main.PatternCombo, main.Logo,
        main.LstFiles,  main.FileImage,   main.cmdClear, main.cmdInstall,   main.cmdHelp,
        main.cmdAbout,  main.cmdDefaults, main.cmdQuit,  main.lblGameFolder};
    for (std::size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(controls[i]->metaObject()->className());
        EXPECT_TRUE(main.rect().contains(controls[i]->geometry()));
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << "overlaps control " << j;
        if (const auto* button = qobject_cast<QPushButton*>(controls[i])) {
            const QString shown = QString(button->text()).remove('&');
            const int frame =
                button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
            EXPECT_LE(button->fontMetrics().horizontalAdvance(shown) + 2 * frame, button->width())
                << shown.toStdString();
        }
    }
}

// Started in a folder on a mount that the drive list leaves out (a RAM disk, say), the browser
// opens there all the same, on the listed drive that holds it.
TEST_F(MainLayout, StartsAtTheWorkingFolderOnTheListedDriveThatHoldsIt) {
    const TempDir ram;
    fakes.drives.list = {{"/", platform::DriveKind::Fixed}, {ram.str(), platform::DriveKind::Ram}};
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(ram.path());
    const std::string working = std::filesystem::current_path().string();

    Main main(fakes.services());
    std::filesystem::current_path(before);

    EXPECT_EQ(main.DriveList->count(), 1);
    EXPECT_EQ(main.DriveList->drive(), "/");
    EXPECT_EQ(main.DirList->path(), working);
    EXPECT_EQ(main.FileList->path(), working);
}
