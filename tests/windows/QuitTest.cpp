#include "WindowsFixture.h"
#include "tessaly/windows/HelpText.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

using platform::Wait;
using Cues = std::vector<std::pair<std::string, Wait>>;

namespace {

// What the windows show while the quit cue plays.
struct DuringCue {
    Qt::CursorShape pointer;
    bool mainOpen;
    std::size_t creditsOpen;
};

// Runs the event loop as the program does, until the application quits (0) or five seconds
// have passed (1).
int RunProgram() {
    QTimer patience;
    patience.setSingleShot(true);
    QObject::connect(&patience, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    patience.start(5000);
    return QApplication::exec();
}

class QuitTest : public CommandsTest, public testing::WithParamInterface<bool> {};

} // namespace

TEST_P(QuitTest, PlaysItsCueToTheEndThenUnloadsTheKitsWindows) {
    const bool withCredits = GetParam();
    Main& main = window();
    if (withCredits)
        main.cmdAbout_Click();
    fakes.sound.played.clear();
    std::vector<DuringCue> seen;
    fakes.sound.whilePlaying = [&] {
        seen.push_back({main.cursor().shape(), main.isVisible(), LoadedCredits().size()});
    };

    QTest::mouseClick(main.cmdQuit, Qt::LeftButton);
    fakes.sound.whilePlaying = nullptr;
    DestroyClosed();
    EXPECT_EQ(fakes.sound.played, (Cues{{cue("appdata/audio/gun.wav"), Wait::UntilEnd}}));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].pointer, Qt::WaitCursor);
    EXPECT_TRUE(seen[0].mainOpen);
    EXPECT_EQ(seen[0].creditsOpen, withCredits ? 1u : 0u);

    EXPECT_TRUE(LoadedCredits().empty());
    EXPECT_TRUE(main.isUnloaded());
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(main.cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(CreditsOpenOrNot, QuitTest, testing::Bool(),
                         [](const auto& info) { return info.param ? "WithCredits" : "Alone"; });

TEST_F(CommandsTest, ProgramEndsAtQuitEvenWithTheCreditsOpen) {
    Main& main = window();
    main.cmdAbout_Click();
    QTimer::singleShot(0, &main, [&main] { main.cmdQuit_Click(); });
    EXPECT_EQ(RunProgram(), 0);
}

// The credits belong to no other window; closing the main window by its frame (or Alt+F4)
// closes them too, and the program ends as at Quit, the help text's window included.
TEST_F(CommandsTest, ProgramEndsWhenTheMainWindowIsClosedByItsFrameCreditsIncluded) {
    kit.file("Tessaly.txt", "Tessaly\n");
    Main& main = window();
    fakes.launcher.starts = false;
    main.cmdHelp_Click();
    QCoreApplication::processEvents();
    ASSERT_NE(main.findChild<HelpText*>(), nullptr);
    main.cmdAbout_Click();
    QTimer::singleShot(0, &main, [&main] { main.windowHandle()->close(); });
    EXPECT_EQ(RunProgram(), 0);
    DestroyClosed();
    EXPECT_TRUE(LoadedCredits().empty());
    EXPECT_TRUE(boxes().empty());
}
