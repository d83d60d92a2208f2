#pragma once

#include <string>
#include <string_view>

namespace platform {

// The symbol of control character c in the Unicode block "Control Pictures" is at this + c.
inline constexpr char32_t kControlPictures = 0x2400;

// Appends `name` to `out` with each control character written, in UTF-8, as its symbol from
// "Control Pictures" (a line break as `newline`), so that a name shown to the user stays on one
// line. Every other byte is copied as it is. For display only.
void AppendVisible(std::string& out, std::string_view name,
                   char32_t newline = kControlPictures + '\n');

inline std::string VisibleControls(std::string_view name,
                                   char32_t newline = kControlPictures + '\n') {
    std::string out;
    AppendVisible(out, name, newline);
    return out;
}

} // namespace platform
