#include "WindowsFixture.h"
#include "selection/ListViews.h"
#include "support/TempDir.h"
#include "tessaly/common/SettingsFile.h"
#include "tessaly/selection/FileListBox.h"
#include "tessaly/selection/PathListBox.h"

#include <QPushButton>
#include <QTest>

using platform::Wait;
using Cues = std::vector<std::pair<std::string, Wait>>;

namespace {

std::string Numbered(int n) {
    return (n < 10 ? "p0" : "p") + std::to_string(n) + ".ivb";
}

} // namespace

TEST_F(CommandsTest, ClearEmptiesTheListAndLeavesPreviewAndSettingsAlone) {
    const std::string eagle = file("eagle.ivb");
    gif("eagle.gif", 3);
    const std::string wolf = file("wolf.ivb");
    WriteINI("Armpatch", "file0", eagle, settings());
    Main& main = window();
    restoreEntries({eagle, wolf});
    Click(*main.LstFiles, 0);
    const QString caption = main.windowTitle();
    const QImage picture = shownPicture();
    ASSERT_FALSE(picture.isNull());
    ASSERT_TRUE(caption.startsWith(QString::fromStdString("Tessaly [" + pictures)));
    const std::string remembered = ReadBytes(settings());

    QTest::mouseClick(main.cmdClear, Qt::LeftButton);
    EXPECT_TRUE(entries().empty());
    EXPECT_EQ(main.cntr, 0);
    EXPECT_EQ(main.windowTitle(), caption);
    EXPECT_EQ(shownPicture(), picture);
    EXPECT_EQ(ReadBytes(settings()), remembered);
    EXPECT_EQ(fakes.sound.played, (Cues{{cue("appdata/audio/wnd.wav"), Wait::No}}));
    EXPECT_TRUE(boxes().empty());
}

TEST_F(CommandsTest, TwentyFilesFitAgainAfterClear) {
    std::vector<std::string> added;
    for (int n = 1; n <= 21; ++n)
        added.insert(added.begin(), file(Numbered(n)));
    Main& main = window();
    for (int n = 1; n <= 20; ++n)
        restoreEntries({"/elsewhere/" + Numbered(n)});
    ASSERT_EQ(main.cntr, 20);

    main.cmdClear_Click();
    for (int n = 1; n <= 20; ++n)
        DoubleClick(*main.FileList, fileRow(Numbered(n)));
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(entries(), std::vector(added.begin() + 1, added.end()));
    EXPECT_EQ(main.cntr, 20);

    DoubleClick(*main.FileList, fileRow(Numbered(21)));
    EXPECT_EQ(boxes(), std::vector{ListFull()});
}
