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

// std::search rather than its ranges form, which clang's fuzz build cannot compile against
// this standard library.
inline bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view part) {
    const auto same = [](char a, char b) { return LowerAscii(a) == LowerAscii(b); };
    return !part.empty() &&
           std::search(text.begin(), text.end(), part.begin(), part.end(), same) != text.end();
}

} // namespace platform
