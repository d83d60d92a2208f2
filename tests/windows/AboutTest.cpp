#include "WindowsFixture.h"

#include <QPushButton>
#include <QTest>

using platform::Wait;
using Cues = std::vector<std::pair<std::string, Wait>>;

TEST_F(CommandsTest, AboutShowsTheCreditsBesideTheMainWindowWithoutBlockingIt) {
    Main& main = window();
    QTest::mouseClick(main.cmdAbout, Qt::LeftButton);
    const std::vector<Credits*> loaded = LoadedCredits();
    ASSERT_EQ(loaded.size(), 1u);
    Credits& credits = *loaded.front();
    EXPECT_TRUE(credits.isVisible());
    EXPECT_EQ(credits.parentWidget(), nullptr);
    EXPECT_EQ(credits.windowModality(), Qt::NonModal);
    EXPECT_EQ(fakes.sound.played, (Cues{{cue("appdata/audio/king.wav"), Wait::No}}));

    // The main window still answers while the credits are open.
    QTest::mouseClick(main.cmdClear, Qt::LeftButton);
    EXPECT_EQ(fakes.sound.played.back(), (std::pair{cue("appdata/audio/wnd.wav"), Wait::No}));
    EXPECT_TRUE(credits.isVisible());
}

TEST_F(CommandsTest, AboutTwiceLeavesOneCreditsWindowScrollingOn) {
    Main& main = window();
    main.cmdAbout_Click();
    Credits* first = LoadedCredits().front();
    first->Timer1_Timer();
    const float top = first->frameTop();

    QTest::mouseClick(main.cmdAbout, Qt::LeftButton);
    DestroyClosed();
    EXPECT_EQ(LoadedCredits(), std::vector<Credits*>{first});
    EXPECT_FLOAT_EQ(first->frameTop(), top);
    EXPECT_EQ(fakes.sound.played.size(), 1u);
}

TEST_F(CommandsTest, AboutAfterAKeyClosedTheCreditsStartsAFreshScroll) {
    Main& main = window();
    main.cmdAbout_Click();
    Credits* first = LoadedCredits().front();
    for (int tick = 0; tick < 10; ++tick)
        first->Timer1_Timer();
    QTest::keyClick(first, Qt::Key_Q);

    // Before the event loop has destroyed the closed window, About must not bring it back.
    main.cmdAbout_Click();
    DestroyClosed();
    const std::vector<Credits*> loaded = LoadedCredits();
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_TRUE(loaded.front()->isVisible());
    EXPECT_FLOAT_EQ(loaded.front()->frameTop(), 960);
    EXPECT_EQ(fakes.sound.played, (Cues{{cue("appdata/audio/king.wav"), Wait::No},
                                        {cue("appdata/audio/king.wav"), Wait::No}}));
}
