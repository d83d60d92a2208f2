#include "tessaly/common/BusyPointer.h"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(BusyPointer, NestedGuardsKeepTheHourglassUntilTheOutermostEnds) {
    QWidget window;
    {
        const BusyPointer outer(window);
        {
            const BusyPointer inner(window);
            EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
        }
        EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

TEST(BusyPointer, GivesThePointerBackWhenAFailureLeavesTheScope) {
    QWidget window;
    try {
        const BusyPointer busy(window);
        throw std::runtime_error("load failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    const BusyPointer again(window);
    EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
}
