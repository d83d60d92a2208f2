#include "tessaly/selection/FullPath.h"

#include <gtest/gtest.h>

TEST(FullPath, JoinsFolderAndNameWithOneSeparator) {
    const struct {
        const char* folder;
        const char* name;
        const char* expected;
    } cases[] = {
        {"/pictures", "eagle.ivb", "/pictures/eagle.ivb"},
        {"/", "eagle.ivb", "/eagle.ivb"},
        {"/pictures/", "eagle.ivb", "/pictures/eagle.ivb"},
        {"/caf\xE9", "\xFF.ivb", "/caf\xE9/\xFF.ivb"},
        {"/pictures", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.folder) + " + " + c.name);
        EXPECT_EQ(FullPath(c.folder, c.name), c.expected);
    }
}
