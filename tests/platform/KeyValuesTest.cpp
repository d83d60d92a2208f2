#include "platform/KeyValues.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using platform::ParseKeyValues;

// The value found by following `keys` from the top, or nothing.
std::optional<std::string> ValueAt(std::string_view text, std::initializer_list<const char*> keys) {
    const auto top = ParseKeyValues(text);
    const platform::KeyValue* at = top ? &*top : nullptr;
    for (const char* key : keys)
        at = at != nullptr && at->section ? at->find(key) : nullptr;
    if (at == nullptr || at->section)
        return std::nullopt;
    return at->value;
}

TEST(KeyValues, ReadsWhatTheLauncherWrites) {
    struct Case {
        const char* text;
        std::initializer_list<const char*> keys;
        const char* value;
    };
    const Case cases[] = {
        {R"("a" { "b" "c" })", {"a", "b"}, "c"},
        {"a\n{\n\tb c\n}", {"a", "b"}, "c"},
        {R"("a" "one" "a" "two")", {"a"}, "one"},
        {R"("p" "C:\\Games\\x \"y\"")", {"p"}, "C:\\Games\\x \"y\""},
        {R"("p" "a\qb")", {"p"}, "a\\qb"},
        {"// head\n\"a\" // note\n{ \"b\" \"c\" [$LINUX] }", {"a", "b"}, "c"},
        {R"("a"{"b"{"c""d"}})", {"a", "b", "c"}, "d"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ValueAt(c.text, c.keys), c.value) << c.text;
}

TEST(KeyValues, RefusesWhatIsNotWellFormed) {
    const char* const cases[] = {
        R"("a" "b)",      R"("a" { "b" "c")", R"("a" "b" })",   R"("a")",
        R"("a" { "b" })", R"({ "a" "b" })",   R"("a" { { } })", R"("a" [$X])",
    };
    for (const char* text : cases)
        EXPECT_EQ(ParseKeyValues(text), std::nullopt) << text;
    std::string nested;
    for (int level = 0; level < 40; ++level)
        nested += "\"k\" { ";
    EXPECT_EQ(ParseKeyValues(nested + std::string(40, '}')), std::nullopt) << "40 levels";
    EXPECT_NE(ParseKeyValues(""), std::nullopt);
}

} // namespace
