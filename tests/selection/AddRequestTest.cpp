#include "tessaly/selection/AddRequest.h"

#include <gtest/gtest.h>

TEST(AddRequest, FullListFirstThenNothingChosenThenDuplicates) {
    const std::vector<std::string> listed{"/p/Eagle.ivb", "/p/wolf.ivb"};
    const struct {
        const char* what;
        int16_t count;
        std::string path;
        AddOutcome expected;
    } cases[] = {
        {"new path", 2, "/p/tower.ivb", AddOutcome::Insert},
        {"twentieth still fits", 19, "/p/tower.ivb", AddOutcome::Insert},
        {"twenty-first", 20, "/p/tower.ivb", AddOutcome::ListFull},
        {"listed path in a full list", 20, "/p/wolf.ivb", AddOutcome::ListFull},
        {"nothing chosen in a full list", 20, "", AddOutcome::ListFull},
        {"nothing chosen", 2, "", AddOutcome::NothingChosen},
        {"listed path", 2, "/p/wolf.ivb", AddOutcome::AlreadyListed},
        {"listed first", 2, "/p/Eagle.ivb", AddOutcome::AlreadyListed},
        {"other letter case", 2, "/p/eagle.ivb", AddOutcome::Insert},
        {"listed path is a prefix", 2, "/p/wolf.ivb.gif", AddOutcome::Insert},
        {"path is a prefix of a listed one", 2, "/p/wolf", AddOutcome::Insert},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CheckAdd(c.count, c.path, listed), c.expected);
    }
}
