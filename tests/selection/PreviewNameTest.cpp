#include "tessaly/selection/PreviewName.h"

#include <gtest/gtest.h>

TEST(PreviewName, ReplacesTheLastThreeCharactersWithGif) {
    const struct {
        std::string path;
        std::optional<std::string> expected;
    } cases[] = {
        {"/p/eagle.ivb", "/p/eagle.gif"},
        {"/p/eagle.gif", "/p/eagle.gif"},
        {"/p/photo.bmp", "/p/photo.gif"},
        {"/p/x.jpeg", "/p/x.jgif"},
        {"/p/README", "/p/REAgif"},
        {"abc", "gif"},
        {"ab", std::nullopt},
        {"", std::nullopt},
        // Whole UTF-8 letters go, never a part of one.
        {"/p/x.\xC3\xA9t\xC3\xA9", "/p/x.gif"},
        {"/p/x.\xE6\x97\xA5", "/p/gif"},
        {"\xF0\x9F\x98\x80\xF0\x9F\x98\x80", std::nullopt},
        // Bytes that form no letter count one each.
        {"/p/x.\xFF\xFE\xFD", "/p/x.gif"},
        {"/p/x\xA9\xA9", "/p/gif"},
        {"/p/\xE9.ivb", "/p/\xE9.gif"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(PreviewName(c.path), c.expected);
    }
}
