#include "tessaly/common/IsLoaded.h"

#include "support/FakeServices.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

QWidget* Named(QWidget& window, const char* name) {
    window.setObjectName(name);
    return &window;
}

} // namespace

TEST(IsLoaded, FindsWindowsByNameWithoutRegardToCase) {
    ScriptedBoxes boxes;
    QWidget credits, main;
    const std::vector<QWidget*> windows{Named(main, "Main"), Named(credits, "Credits")};
    std::vector<QWidget*> unloaded;
    const auto unload = [&](QWidget& window) { unloaded.push_back(&window); };

    EXPECT_TRUE(IsLoadedAmong(boxes, windows, "credits", false, unload));
    EXPECT_TRUE(unloaded.empty());
    EXPECT_FALSE(IsLoadedAmong(boxes, windows, "Splash", true, unload));
    EXPECT_TRUE(unloaded.empty());
    EXPECT_TRUE(IsLoadedAmong(boxes, windows, "CREDITS", true, unload));
    EXPECT_EQ(unloaded, std::vector<QWidget*>{&credits});
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(IsLoaded, UnloadFailureShowsBoxAndStillReportsTheFind) {
    ScriptedBoxes boxes;
    QWidget credits;
    const bool found = IsLoadedAmong(boxes, {Named(credits, "Credits")}, "credits", true,
                                     [](QWidget&) { throw std::runtime_error("busy"); });
    EXPECT_TRUE(found);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0],
              (platform::BoxRequest{"Loomwright", "Error, Unloading credits",
                                    platform::BoxIcon::Critical, platform::BoxButtons::Ok}));
}

TEST(IsLoaded, ClosesTheApplicationsWindow) {
    ScriptedBoxes boxes;
    auto* splash = new QWidget;
    splash->setObjectName("Splash");
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    EXPECT_TRUE(IsLoaded(boxes, "splash", true));
    EXPECT_FALSE(splash->isVisible());
}
