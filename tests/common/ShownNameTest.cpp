#include "tessaly/common/ShownName.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(ShownName, DrawsControlCharactersAsVisibleSymbolsOnOneLine) {
    const struct {
        std::string bytes;
        QString shown;
    } cases[] = {
        {"eagle.ivb", "eagle.ivb"},
        {"two\nlines.ivb", u"two\u2424lines.ivb"_qs},
        {"/pics/a\r\nb/", u"/pics/a\u240D\u2424b/"_qs},
        {"tab\there", u"tab\u2409here"_qs},
        {"bell\a\x7f", u"bell\u2407\u2421"_qs},
        {"nul\0end"s, u"nul\u2400end"_qs},
        {"caf\xC3\xA9 \xE2\x86\xB5", u"caf\u00E9 \u21B5"_qs},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(ShownName(c.bytes), c.shown);
    }
}

TEST(ShownName, NameThatIsNotUtf8StillShowsOnOneLine) {
    const QString shown = ShownName("caf\xE9\n\xFF.ivb");
    EXPECT_FALSE(shown.contains(u'\n'));
    EXPECT_EQ(shown.count(u'\u2424'), 1);
    EXPECT_TRUE(shown.startsWith("caf"));
    EXPECT_TRUE(shown.endsWith(".ivb"));
}
