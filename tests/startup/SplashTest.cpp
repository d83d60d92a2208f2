#include "tessaly/startup/Splash.h"

#include "support/TempDir.h"

#include <QFrame>
#include <QLabel>
#include <gtest/gtest.h>

TEST(Splash, LayoutIsBlackFramedWithLogoAndTexts) {
    Splash splash(std::string(TESSALY_KIT_DIR) + "/logo.png");
    EXPECT_EQ(splash.objectName(), "Splash");
    EXPECT_EQ(splash.size(), QSize(492, 283));
    EXPECT_TRUE(splash.windowTitle().isEmpty());
    EXPECT_EQ(splash.palette().color(QPalette::Window), QColor(Qt::black));

    const auto* frame = splash.findChild<QFrame*>("Frame1");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->geometry(), QRect(10, 8, 472, 266));
    const auto* logo = frame->findChild<QLabel*>("Image1");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->pixmap().size(), QSize(342, 121));
    EXPECT_EQ(frame->findChild<QLabel*>("Label2")->text(), "Setup: Searching for Ironvale...");
    EXPECT_EQ(frame->findChild<QLabel*>("Label1")->text(), "Version 3.0");
}
