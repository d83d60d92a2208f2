#include "tessaly/selection/WidestRow.h"

#include "tessaly/common/ShownName.h"

#include <QApplication>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

int NoIndentation(int /*row*/) {
    return 0;
}

class WidestRowTest : public testing::Test {
protected:
    int width(const std::string& name) const { return metrics.horizontalAdvance(ShownName(name)); }

    QFontMetrics metrics{QApplication::font()};
};

TEST_F(WidestRowTest, FindsTheRowThatReachesFurthest) {
    const int step = metrics.height();
    const struct {
        const char* what;
        Names names;
        std::function<int(int)> indentation;
        int widest;
    } cases[] = {
        {"no names", {}, NoIndentation, 0},
        {"one name", {"a.ivb"}, NoIndentation, 0},
        {"long in the middle", {"a.ivb", "a much longer name.ivb", "z.ivb"}, NoIndentation, 1},
        {"wide letters beat more narrow ones", {"iiiiiiiiii.ivb", "WWWWWWW.ivb"}, NoIndentation, 1},
        {"indentation counts",
         {"longer name", "short", "tiny"},
         [step](int row) { return row * 4 * step; },
         2},
        {"line breaks are drawn as marks", {"abcd", "a\nb\nc\nd"}, NoIndentation, 1},
        {"non-ASCII letters", {"\xE2\x80\x94\xE2\x80\x94\xE2\x80\x94", "---"}, NoIndentation, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(WidestRow(c.names, metrics, c.indentation), c.widest);
    }
}

// Many names, most of them alike in length, as a large folder holds them: the row found is as
// wide as the widest of all, measured one by one.
TEST_F(WidestRowTest, MatchesMeasuringEveryName) {
    // Taken byte by byte, "é" also gives names that are not UTF-8.
    const std::string letters = "aeimrtwAEIMWXY0189._- \xC3\xA9\n";
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        Names names(2000);
        for (std::string& name : names) {
            const int length = 8 + static_cast<int>(random() % 8);
            for (int i = 0; i < length; ++i)
                name += letters[random() % letters.size()];
        }
        std::vector<int> widths;
        for (const std::string& name : names)
            widths.push_back(width(name));

        const int row = WidestRow(names, metrics, NoIndentation);

        EXPECT_EQ(widths[static_cast<std::size_t>(row)],
                  *std::max_element(widths.begin(), widths.end()));
    }
}

} // namespace
