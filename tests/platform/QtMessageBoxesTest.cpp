#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;

// Shows `request` in a real box and lets `act` look at it and close it from inside its loop.
BoxAnswer ShowAndAct(const platform::BoxRequest& request,
                     const std::function<void(QMessageBox&)>& act) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll.stop();
            act(*box);
        }
    });
    poll.start(1);
    return platform::QtMessageBoxes().show(request);
}

TEST(QtMessageBoxes, OffersTheButtonsAskedForAndAnswersWithTheOnePressed) {
    const struct {
        BoxButtons buttons;
        BoxIcon icon;
        QMessageBox::Icon shownIcon;
        QMessageBox::StandardButtons shownButtons;
        int press; // a standard button, or the Escape key
        BoxAnswer answer;
    } cases[] = {
        {BoxButtons::Ok, BoxIcon::Information, QMessageBox::Information, QMessageBox::Ok,
         QMessageBox::Ok, BoxAnswer::Ok},
        {BoxButtons::OkCancel, BoxIcon::Warning, QMessageBox::Warning,
         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel, BoxAnswer::Cancel},
        {BoxButtons::OkCancel, BoxIcon::Critical, QMessageBox::Critical,
         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, BoxAnswer::Ok},
        {BoxButtons::YesNo, BoxIcon::Question, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, BoxAnswer::Yes},
        {BoxButtons::YesNo, BoxIcon::None, QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No,
         QMessageBox::No, BoxAnswer::No},
        {BoxButtons::YesNo, BoxIcon::Question, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No, Qt::Key_Escape, BoxAnswer::No},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.press);
        const BoxAnswer answer =
            ShowAndAct({"Title", "Text", c.icon, c.buttons}, [&](QMessageBox& box) {
                EXPECT_EQ(box.windowTitle(), "Title");
                EXPECT_EQ(box.icon(), c.shownIcon);
                EXPECT_EQ(box.standardButtons(), c.shownButtons);
                EXPECT_EQ(box.detailedText(), "");
                if (c.press == Qt::Key_Escape)
                    QTest::keyClick(&box, Qt::Key_Escape);
                else
                    box.button(QMessageBox::StandardButton(c.press))->click();
            });
        EXPECT_EQ(answer, c.answer);
    }
}

// The first button is the default one: Enter says Yes.
TEST(QtMessageBoxes, EnterSaysYes) {
    EXPECT_EQ(ShowAndAct({"Title", "Text", BoxIcon::None, BoxButtons::YesNo},
                         [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }),
              BoxAnswer::Yes);
}

// A list of renames is read fifteen lines at a time at least.
TEST(QtMessageBoxes, DetailsWaitBehindTheirButtonDecodedAsFileNames) {
    QString details;
    int lines = 0;
    ShowAndAct({"Title", "Text", BoxIcon::None, BoxButtons::YesNo, "a.jpg -> caf\xc3\xa9.jpg"},
               [&](QMessageBox& box) {
                   details = box.detailedText();
                   const auto* text = box.findChild<QTextEdit*>();
                   lines = text->height() / text->fontMetrics().lineSpacing();
                   box.button(QMessageBox::No)->click();
               });
    EXPECT_EQ(details, QString::fromUtf8("a.jpg -> caf\xc3\xa9.jpg"));
    EXPECT_GE(lines, 15);
}

// The key reaches the box through its focused button, as a user's press does; the box stays
// open. With no details, the copy carries the title and the text, decoded as file names.
TEST(QtMessageBoxes, CtrlCCopiesTheTitleAndTheText) {
    QGuiApplication::clipboard()->setText("before");
    bool stayedOpen = false;
    ShowAndAct({"Title", "Error creating '/games/caf\xc3\xa9", BoxIcon::Critical, BoxButtons::Ok},
               [&](QMessageBox& box) {
                   QTest::keyClick(box.defaultButton(), Qt::Key_C, Qt::ControlModifier);
                   stayedOpen = box.isVisible();
                   box.defaultButton()->click();
               });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              "Title\n\nError creating '/games/caf\xc3\xa9\n");
}

} // namespace
