#include "RenameWindow.h"

#include "tallyfold/FolderCaption.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QRect FromTwips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

// What the user reads on a control: a button's caption, a text box's text, a label's text.
QString CaptionOf(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* text = qobject_cast<const QLineEdit*>(widget))
        return text->text();
    return qobject_cast<const QLabel*>(widget)->text();
}

TEST_F(RenameWindow, ControlsSitWhereDesignedWithTheirCaptionsAndTooltips) {
    const struct {
        const char* name;
        QWidget* widget;
        QRect geometry;
        QString caption;
        const char* tooltip;
    } rows[] = {
        {"optPrefix", window.optPrefix, FromTwips(195, 750, 855, 435), "Prefix",
         "Select if you want the new file name to have a label infront of it's file number.  "
         "example: file1.ext"},
        {"optSuffix", window.optSuffix, FromTwips(195, 1230, 855, 435), "Suffix",
         "Select if you want the new file name to have a label after it's file number.  "
         "example: 1file.ext"},
        {"txtName", window.txtName, FromTwips(2760, 840, 1575, 315), "file",
         "Enter a label of the new file names.  example: file1.ext or 1file.ext,  Leave blank for "
         "consecutive files numbered without a prefix or suffix.  example: 1.ext, 2.ext ...etc."},
        {"cmdBrowse", window.cmdBrowse, FromTwips(2760, 1260, 1575, 375), "&Browse",
         "Select Directory where the files to be renamed are located."},
        {"lblDir", window.lblDir, FromTwips(360, 1800, 3855, 495), "",
         "Tallyfold will rename all files in a specified directory with a consecutive number and "
         "if desired, a prefix or a suffix may be used."},
        {"cmdRename", window.cmdRename, FromTwips(435, 2400, 1575, 375), "&Rename Files",
         "Rename all files"},
        {"cmdQuit", window.cmdQuit, FromTwips(2760, 2400, 1575, 375), "&Quit", "Quit Tallyfold"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.widget->geometry(), row.geometry);
        EXPECT_EQ(row.widget->toolTip(), QString::fromUtf8(row.tooltip));
        EXPECT_EQ(CaptionOf(row.widget), row.caption);
    }
    EXPECT_EQ(window.Image1->geometry(), FromTwips(0, 120, 4500, 750));
    EXPECT_FALSE(window.Image1->toolTip().isEmpty());
    EXPECT_EQ(window.lblDir->alignment(), Qt::AlignCenter);
}

// The Undo button lies in the free space: within the window and on no other control. Each
// button shows its whole caption.
TEST_F(RenameWindow, TheUndoButtonFitsTheFreeSpaceAndEveryCaptionItsButton) {
    EXPECT_EQ(window.cmdUndo->text(), "&Undo");
    EXPECT_TRUE(window.rect().contains(window.cmdUndo->geometry()));
    for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != window.cmdUndo) {
            EXPECT_FALSE(window.cmdUndo->geometry().intersects(control->geometry()))
                << "overlaps " << CaptionOf(control).toStdString();
        }
        if (const auto* button = qobject_cast<const QPushButton*>(control)) {
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text().remove('&')),
                      button->contentsRect().width());
        }
    }
}

TEST_F(RenameWindow, EnterPressesTheButtonThatHoldsTheFocus) {
    for (QPushButton* button :
         {window.cmdBrowse, window.cmdRename, window.cmdUndo, window.cmdQuit}) {
        QSignalSpy pressed(button, &QPushButton::clicked);
        QTest::keyClick(button, Qt::Key_Return);
        EXPECT_EQ(pressed.count(), 1) << button->text().toStdString();
    }
}

// The two captions stand at their place and are as wide as their texts, never clipped.
TEST_F(RenameWindow, CaptionLabelsTakeTheSizeOfTheirTexts) {
    for (const bool suffix : {false, true}) {
        if (suffix)
            window.optSuffix_Click();
        for (const auto& [label, topLeft] :
             {std::pair{window.lblfilename, QPoint(1275 / 15, 870 / 15)},
              std::pair{window.lblbrowse, QPoint(1275 / 15, 1320 / 15)}}) {
            SCOPED_TRACE(label->text().toStdString());
            EXPECT_EQ(label->pos(), topLeft);
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
            EXPECT_LE(label->geometry().right(), window.txtName->x());
        }
    }
    EXPECT_EQ(window.lblbrowse->text(), "Select Directory:");
}

TEST_F(RenameWindow, WindowHasItsTitleSizeBannerAndOwnIcon) {
    EXPECT_EQ(window.windowTitle(), "Tallyfold");
    EXPECT_EQ(window.size(), QSize(4560 / 15, 2955 / 15));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window.Image1->pixmap().size(), QSize(300, 50));
    const QList<QSize> sizes = window.windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(64, 64)));
}

TEST_F(RenameWindow, TabRunsFromQuitAndQuitHoldsTheFocusAtStart) {
    const std::vector<QWidget*> order{window.cmdQuit,   window.cmdRename, window.optSuffix,
                                      window.cmdBrowse, window.txtName,   window.optPrefix};
    std::vector<QWidget*> chain;
    QWidget* widget = window.cmdQuit;
    do {
        if (std::find(order.begin(), order.end(), widget) != order.end())
            chain.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != window.cmdQuit && chain.size() < order.size());
    EXPECT_EQ(chain, order);

    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), window.cmdQuit);
}

TEST_F(RenameWindow, LoadSetsPrefixModeTheLabelFileAndNoFolder) {
    EXPECT_TRUE(window.optPrefix->isChecked());
    EXPECT_FALSE(window.optSuffix->isChecked());
    EXPECT_EQ(window.lblfilename->text(), "Specify Prefix:");
    EXPECT_EQ(window.txtName->text(), "file");
    EXPECT_EQ(window.lblDir->folder(), "");
    EXPECT_EQ(window.lblDir->text(), "");
}

// Clicks on the options, as a user makes them; the label's own text is never touched.
TEST_F(RenameWindow, OptionsSetTheCaptionOfTheLabelAndNothingElse) {
    const struct {
        std::vector<QRadioButton*> clicks;
        bool prefix;
        const char* caption;
    } cases[] = {
        {{window.optSuffix}, false, "Specify Suffix:"},
        {{window.optSuffix, window.optPrefix}, true, "Specify Prefix:"},
        {{window.optSuffix, window.optSuffix}, false, "Specify Suffix:"},
        {{window.optPrefix}, true, "Specify Prefix:"},
    };
    window.txtName->setText("  pic ");
    for (const auto& c : cases) {
        for (QRadioButton* option : c.clicks)
            QTest::mouseClick(option, Qt::LeftButton);
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(window.optPrefix->isChecked(), c.prefix);
        EXPECT_EQ(window.optSuffix->isChecked(), !c.prefix);
        EXPECT_EQ(window.lblfilename->text(), c.caption);
        EXPECT_EQ(window.txtName->text(), "  pic ");
    }
}

TEST_F(RenameWindow, TheLabelTakesAtMostTwentyCharacters) {
    window.txtName->clear();
    QTest::keyClicks(window.txtName, "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(window.txtName->text(), "abcdefghijklmnopqrst");
}

TEST_F(RenameWindow, BrowseShowsTheChosenFolderInBoldAndCancelKeepsIt) {
    const std::string chosen = dir.str();
    chooser.picks = {platform::ItemPick::chosen(chosen), platform::ItemPick::cancelled(),
                     platform::ItemPick::chosen("/")};
    QTest::mouseClick(window.cmdBrowse, Qt::LeftButton);
    EXPECT_EQ(chooser.prompts, std::vector<std::string>{"Click on an entry to select it."});
    EXPECT_EQ(window.lblDir->folder(), chosen);
    EXPECT_EQ(window.lblDir->text(), QString::fromStdString(chosen));
    EXPECT_TRUE(window.lblDir->font().bold());

    window.cmdBrowse_Click();
    EXPECT_EQ(window.lblDir->folder(), chosen);
    EXPECT_TRUE(window.lblDir->font().bold());

    window.cmdBrowse_Click();
    EXPECT_EQ(window.lblDir->folder(), "/");
}

TEST_F(RenameWindow, AFolderNamedAtStartShowsAsIfPickedInTheDialog) {
    window.chooseFolder(dir.str());
    EXPECT_EQ(window.lblDir->folder(), dir.str());
    EXPECT_TRUE(window.lblDir->font().bold());
}

TEST_F(RenameWindow, BrowseKeepsTheBytesOfAFolderNameThatIsNotUtf8) {
    const std::string chosen = dir.folder("caf\xe9").native();
    chooseFolder(chosen);
    EXPECT_EQ(window.lblDir->folder(), chosen);
}

TEST_F(RenameWindow, BrowseRefusesAFolderWhoseNameTheDialogLost) {
    chooseFolder(dir.str());
    chooser.picks = {platform::ItemPick::nameLost("/pictures/caf\uFFFD")};
    window.cmdBrowse_Click();
    EXPECT_EQ(window.lblDir->folder(), dir.str());
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].title, "Tallyfold");
    EXPECT_EQ(boxes.shown[0].icon, platform::BoxIcon::Warning);
    EXPECT_NE(boxes.shown[0].text.find("/pictures/caf\uFFFD"), std::string::npos);
}

TEST_F(RenameWindow, QuitClosesTheWindow) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.cmdQuit, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
