#pragma once

#include <algorithm>
#include <string_view>

namespace platform {

// Letter case is folded for ASCII letters only: the names and keys compared this way are ASCII,
// and no byte of a multi-byte UTF-8 character can fold into an ASCII letter.
constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, {}, LowerAscii, LowerAscii);
}

inline bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view part) {
    return !part.empty() && !std::ranges::search(text, part, {}, LowerAscii, LowerAscii).empty();
}

} // namespace platform
