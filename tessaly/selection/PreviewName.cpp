#include "PreviewName.h"

#include <cstddef>

namespace {

constexpr bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// How many bytes a lead byte says its sequence has; 0 for a byte that leads none.
constexpr std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 0;
}

// The length in bytes of the character that ends `text` at `end`.
std::size_t LastCharacter(const std::string& text, std::size_t end) {
    std::size_t start = end - 1;
    while (start > 0 && end - start < 4 && IsContinuation(static_cast<unsigned char>(text[start])))
        --start;
    const std::size_t length = end - start;
    return SequenceLength(static_cast<unsigned char>(text[start])) == length ? length : 1;
}

} // namespace

std::optional<std::string> PreviewName(const std::string& path) {
    std::size_t end = path.size();
    for (int dropped = 0; dropped < 3; ++dropped) {
        if (end == 0)
            return std::nullopt;
        end -= LastCharacter(path, end);
    }
    return path.substr(0, end) + "gif";
}
