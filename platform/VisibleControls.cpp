#include "VisibleControls.h"

namespace platform {

void AppendVisible(std::string& out, std::string_view name, char32_t newline) {
    constexpr char32_t kSymbolForDelete = 0x2421;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            out += c;
            continue;
        }
        const char32_t picture = byte == '\n'   ? newline
                                 : byte == 0x7f ? kSymbolForDelete
                                                : kControlPictures + byte;
        out += static_cast<char>(0xe0 | (picture >> 12));
        out += static_cast<char>(0x80 | ((picture >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (picture & 0x3f));
    }
}

} // namespace platform
