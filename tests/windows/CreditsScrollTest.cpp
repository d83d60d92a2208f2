#include "tessaly/windows/CreditsScroll.h"

#include <gtest/gtest.h>

namespace {

constexpr float FrameHeight = 4575;
constexpr float WindowHeight = 1635;
constexpr float DesignTop = 960;

} // namespace

TEST(CreditsScroll, TickRisesOneStepAndWrapsOnlyOnceThePanelIsWhollyAboveTheWindow) {
    const struct {
        float top;
        float next;
    } cases[] = {
        {DesignTop, DesignTop - 25},
        {0, -25},
        {-4550, -4575},
        // The bottom edge just at the window's top edge: still one more step up.
        {-FrameHeight, -FrameHeight - 25},
        {-FrameHeight - 0.5f, WindowHeight - 26},
        {-4590, WindowHeight - 26},
        {-100000, WindowHeight - 26},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.top);
        EXPECT_FLOAT_EQ(ScrollTick(c.top, FrameHeight, WindowHeight), c.next);
    }
}

TEST(CreditsScroll, CentringSplitsTheSpareWidthEvenly) {
    const struct {
        float window;
        float frame;
        float left;
    } cases[] = {
        {5670, 5130, 270},
        {5671, 5130, 270.5f},
        {5130, 5130, 0},
        {4000, 5130, -565},
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(CentredLeft(c.window, c.frame), c.left) << c.window << " " << c.frame;
}

TEST(CreditsScroll, PositionsBetweenPixelsRoundDownOnBothSidesOfTheEdge) {
    const struct {
        float twips;
        int pixel;
    } cases[] = {{0, 0}, {14.9f, 0}, {15, 1}, {1609, 107}, {-0.5f, -1}, {-15, -1}, {-15.5f, -2}};
    for (const auto& c : cases)
        EXPECT_EQ(PixelOf(c.twips), c.pixel) << c.twips;
}
