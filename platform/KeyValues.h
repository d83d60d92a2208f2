#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One pair of a text key-values file, the format in which Valve's launcher keeps its records:
// a key and either a text value or, for a section, the pairs inside its braces.
struct KeyValue {
    std::string key;
    std::string value;
    std::vector<KeyValue> children;
    bool section = false;

    // The first pair inside this section whose key is `key`, ASCII letter case ignored, as the
    // launcher matches keys; or nullptr.
    const KeyValue* find(std::string_view key) const;
};

// A key-values text as one nameless section holding its top-level pairs, or nothing when the
// text is not well formed (an unclosed quote or brace, a key without a value, sections nested
// deeper than anyone writes).
//
// Keys and values are quoted, with \" \\ \n \t as escapes, or bare words; "//" starts a comment
// to the end of the line; a "[$PLATFORM]" condition after a pair is accepted and ignored.
std::optional<KeyValue> ParseKeyValues(std::string_view text);

} // namespace platform
