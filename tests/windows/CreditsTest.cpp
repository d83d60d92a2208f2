#include "tessaly/windows/Credits.h"

#include "support/FakeServices.h"
#include "tessaly/common/IsLoaded.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

using platform::Wait;
using Cues = std::vector<std::pair<std::string, Wait>>;

namespace {

class CreditsTest : public testing::Test {
protected:
    CreditsTest() { fakes.programFolder.folder = TESSALY_KIT_DIR; }
    ~CreditsTest() override { delete credits; }

    // A credits window as About opens it, shown; its timer stopped, so that the panel moves
    // only when a test ticks it.
    Credits& open() {
        credits = new Credits(fakes.services());
        credits->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(credits));
        credits->Timer1->stop();
        return *credits;
    }

    // Scrolls until the middle of `control` can be seen in the window, as a user waits for it.
    void scrollIntoSight(QWidget& control) {
        for (int tick = 0; tick < 300; ++tick) {
            if (credits->rect().contains(control.mapTo(credits, control.rect().center())))
                return;
            credits->Timer1_Timer();
        }
        ADD_FAILURE() << "never scrolled into sight";
    }

    // Whether the window is gone for good, as the event loop leaves it.
    bool destroyed() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return credits.isNull();
    }

    std::string cue(const char* name) const { return std::string(TESSALY_KIT_DIR) + "/" + name; }

    // What a click on the logo plays: two cues waited for, then one that is not.
    Cues logoCues() const {
        return {{cue("appdata/audio/carbine.wav"), Wait::UntilEnd},
                {cue("appdata/audio/wnd.wav"), Wait::UntilEnd},
                {cue("appdata/audio/ok.wav"), Wait::No}};
    }

    FakeServices fakes;
    QPointer<Credits> credits;
};

struct Line {
    const char* name;
    QLabel* Credits::*label;
    QRect twips; // left, top, width, height inside the panel, as designed
    int lines;   // of text that the line is drawn to hold
};

const Line Lines[] = {
    {"Label4", &Credits::Label4, {1080, 2040, 3375, 375}, 1},
    {"Label2", &Credits::Label2, {1080, 2520, 2775, 375}, 1},
    {"Label1", &Credits::Label1, {1080, 3000, 3015, 615}, 2},
    {"Label3", &Credits::Label3, {1080, 3840, 3735, 375}, 1},
};

QRect Pixels(QRect twips) {
    return {twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15};
}

} // namespace

TEST_F(CreditsTest, BlackWindowOfItsOwnWithThePanelCentred) {
    Credits& window = open();
    EXPECT_EQ(window.objectName(), "Credits");
    EXPECT_EQ(window.windowTitle(), "Loomwright");
    EXPECT_EQ(window.parentWidget(), nullptr);
    EXPECT_TRUE(window.testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(window.size(), QSize(378, 109));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(Qt::black));

    EXPECT_EQ(window.Frame1->parentWidget(), &window);
    EXPECT_FLOAT_EQ(window.frameLeft(), 270);
    EXPECT_FLOAT_EQ(window.frameTop(), 960);
    EXPECT_EQ(window.Frame1->geometry(), QRect(18, 64, 342, 305));
    EXPECT_EQ(window.Frame1->frameShape(), QFrame::NoFrame);
    EXPECT_TRUE(window.Frame1->autoFillBackground());
    EXPECT_EQ(window.Frame1->palette().color(QPalette::Window), QColor(Qt::black));

    EXPECT_EQ(window.Image1->parentWidget(), window.Frame1);
    EXPECT_EQ(window.Image1->geometry(), QRect(0, 8, 342, 121));
    EXPECT_EQ(window.Image1->pixmap().size(), QSize(342, 121));
}

TEST_F(CreditsTest, LinesSitOnThePanelInTheirFontWholeAndReadable) {
    Credits& window = open();
    for (const auto& [name, member, twips, lines] : Lines) {
        SCOPED_TRACE(name);
        QLabel* label = window.*member;
        EXPECT_EQ(label->objectName(), name);
        EXPECT_EQ(label->parentWidget(), window.Frame1);
        EXPECT_EQ(label->geometry(), Pixels(twips));
        EXPECT_EQ(label->font().family(), "Times New Roman");
        EXPECT_EQ(label->font().styleHint(), QFont::Serif);
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 8.25);
        EXPECT_EQ(label->font().weight(), QFont::Normal);

        // Whatever serif font stands in on this machine, no line may be clipped, and each
        // takes no more lines than drawn for: the label's own measure of what its text needs.
        const QSize needed = label->wordWrap()
                                 ? QSize(label->width(), label->heightForWidth(label->width()))
                                 : label->sizeHint();
        EXPECT_LE(needed.width(), label->width()) << label->text().toStdString();
        EXPECT_LE(needed.height(), label->height()) << label->text().toStdString();
        EXPECT_LT(needed.height(), (lines + 1) * label->fontMetrics().lineSpacing())
            << label->text().toStdString() << " needs " << needed.height();

        const QPalette& colours = label->palette();
        EXPECT_NE(colours.color(label->foregroundRole()),
                  label->autoFillBackground() ? colours.color(label->backgroundRole())
                                              : window.Frame1->palette().color(QPalette::Window));
    }
    for (QLabel* label : {window.Label1, window.Label3, window.Label4}) {
        EXPECT_EQ(label->palette().color(label->foregroundRole()), QColor(Qt::white));
        EXPECT_FALSE(label->autoFillBackground());
    }
    EXPECT_EQ(window.Label2->foregroundRole(), QPalette::HighlightedText);
    EXPECT_EQ(window.Label2->backgroundRole(), QPalette::ButtonText);
    EXPECT_TRUE(window.Label2->autoFillBackground());
}

TEST_F(CreditsTest, EveryControlShowsTheKitsPointer) {
    Credits& window = open();
    for (QWidget* control :
         std::initializer_list<QWidget*>{&window, window.Frame1, window.Image1, window.Label1,
                                         window.Label2, window.Label3, window.Label4}) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_EQ(control->cursor().shape(), Qt::BitmapCursor);
        EXPECT_FALSE(control->cursor().pixmap().isNull());
    }
}

TEST_F(CreditsTest, TimerRisesThePanelAndBringsItBackFromTheBottom) {
    Credits& window = open();
    EXPECT_EQ(window.Timer1->interval(), 16);
    EXPECT_EQ(window.Timer1->timerType(), Qt::PreciseTimer);

    // 222 ticks take the panel's top to -4590, its bottom edge 15 twips above the window.
    for (int tick = 0; tick < 222; ++tick)
        window.Timer1_Timer();
    EXPECT_FLOAT_EQ(window.frameTop(), -4590);
    EXPECT_EQ(window.Frame1->y(), -306);
    window.Timer1_Timer();
    EXPECT_FLOAT_EQ(window.frameTop(), 1635 - 26);
    EXPECT_EQ(window.Frame1->pos(), QPoint(18, 107));
    EXPECT_EQ(window.Frame1->size(), QSize(342, 305));
}

TEST_F(CreditsTest, ScrollsOnItsOwnFromTheStart) {
    credits = new Credits(fakes.services());
    EXPECT_TRUE(credits->Timer1->isActive());
    credits->show();
    const int before = credits->Frame1->y();
    QTest::qWait(100);
    EXPECT_LT(credits->Frame1->y(), before);
}

TEST_F(CreditsTest, CharacterKeyClosesAndDestroysTheWindowAndDoesNothingElse) {
    const struct {
        const char* name;
        Qt::Key key;
        bool closes;
    } keys[] = {
        {"a", Qt::Key_A, true},           {"5", Qt::Key_5, true},
        {"Enter", Qt::Key_Return, true},  {"Space", Qt::Key_Space, true},
        {"Escape", Qt::Key_Escape, true}, {"Backspace", Qt::Key_Backspace, true},
        {"Left", Qt::Key_Left, false},    {"Delete", Qt::Key_Delete, false},
        {"F1", Qt::Key_F1, false},        {"Shift", Qt::Key_Shift, false},
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.name);
        Credits& window = open();
        const float top = window.frameTop();
        QTest::keyClick(&window, k.key);
        EXPECT_EQ(destroyed(), k.closes);
        EXPECT_EQ(IsLoaded(fakes.boxes, "Credits", false), !k.closes);
        if (!k.closes) {
            EXPECT_TRUE(window.isVisible());
            EXPECT_FLOAT_EQ(window.frameTop(), top);
        }
        delete credits;
    }
    EXPECT_TRUE(fakes.sound.played.empty());
    EXPECT_TRUE(fakes.boxes.shown.empty());
}

TEST_F(CreditsTest, EachClickPlaysItsCueAndNeverCloses) {
    Credits& window = open();
    const Cues shot{{cue("appdata/audio/carbine.wav"), Wait::No}};
    const Cues logo = logoCues();
    const struct {
        const char* name;
        QWidget* control;
        QPoint at; // inside the control and on none of its children; the middle when null
        const Cues& cues;
    } clicks[] = {
        {"background", &window, {4, 4}, shot},
        {"panel", window.Frame1, {4, window.Frame1->height() / 2}, shot},
        {"Image1", window.Image1, {}, logo},
        {"Label4", window.Label4, {}, shot},
        {"Label2", window.Label2, {}, shot},
        {"Label1", window.Label1, {}, shot},
        {"Label3", window.Label3, {}, shot},
    };
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.name);
        scrollIntoSight(*c.control);
        fakes.sound.played.clear();
        QTest::mouseClick(c.control, Qt::LeftButton, {}, c.at);
        while (fakes.sound.endCue()) {
        }
        EXPECT_EQ(fakes.sound.played, c.cues);
    }
    EXPECT_FALSE(destroyed());
    EXPECT_TRUE(window.isVisible());
}

TEST_F(CreditsTest, PressAndReleaseOnDifferentControlsIsNoClick) {
    Credits& window = open();
    scrollIntoSight(*window.Label4);
    QTest::mousePress(window.Label4, Qt::LeftButton);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, {2, 2});
    QTest::mouseClick(window.Label4, Qt::RightButton);
    EXPECT_TRUE(fakes.sound.played.empty());
}

TEST_F(CreditsTest, LogoCuesFollowEachOtherWhileThePanelStandsStill) {
    Credits& window = open();
    scrollIntoSight(*window.Image1);
    window.Timer1->start();
    fakes.sound.played.clear();
    const Cues logo = logoCues();
    QTest::mouseClick(window.Image1, Qt::LeftButton);
    QTest::mouseClick(window.Image1, Qt::LeftButton); // meanwhile, so it starts nothing of its own
    for (std::size_t heard = 1; heard <= logo.size(); ++heard) {
        SCOPED_TRACE(heard);
        EXPECT_EQ(fakes.sound.played, Cues(logo.begin(), logo.begin() + heard));
        EXPECT_EQ(window.Timer1->isActive(), heard == logo.size());
        EXPECT_EQ(fakes.sound.endCue(), heard < logo.size());
    }
}

// However the window closes while the logo's cues play, it goes, and the cues still to come
// never reach it (the sanitizer build catches any touch of the freed window).
TEST_F(CreditsTest, ClosedWhileTheLogoCuesPlayItGoesAndTheRestNeverReachesIt) {
    const auto byFrame = [](Credits& w) { w.windowHandle()->close(); };
    const struct {
        const char* how;
        std::function<void(Credits&)> close;
        int cuesEndedFirst;
    } closings[] = {
        {"by its frame, during the first cue", byFrame, 0},
        {"by its frame, during the second cue", byFrame, 1},
        {"by a key", [](Credits& w) { QTest::keyClick(&w, Qt::Key_Space); }, 0},
        {"by Quit", [this](Credits&) { IsLoaded(fakes.boxes, "Credits", true); }, 1},
    };
    for (const auto& c : closings) {
        SCOPED_TRACE(c.how);
        Credits& window = open();
        scrollIntoSight(*window.Image1);
        QTest::mouseClick(window.Image1, Qt::LeftButton);
        for (int n = 0; n < c.cuesEndedFirst; ++n)
            fakes.sound.endCue();
        const std::size_t playedBefore = fakes.sound.played.size();
        c.close(window);
        EXPECT_TRUE(destroyed());
        while (fakes.sound.endCue()) {
        }
        EXPECT_EQ(fakes.sound.played.size(), playedBefore);
    }
}
