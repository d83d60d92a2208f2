#include "tessaly/common/Utf8.h"

namespace {

// The well-formed sequences of more than one byte: the lead bytes, the sequence's length, and
// the range of its second byte, which excludes overlong forms, surrogates and values past
// U+10FFFF. Every later byte is a plain continuation byte.
struct Form {
    unsigned char firstLead;
    unsigned char lastLead;
    std::size_t length;
    unsigned char secondLow;
    unsigned char secondHigh;
};

constexpr Form kForms[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

bool within(std::string_view text, std::size_t at, unsigned char low, unsigned char high) {
    const auto byte = static_cast<unsigned char>(text[at]);
    return byte >= low && byte <= high;
}

// The bytes of the character at the start of a non-empty text.
std::size_t characterLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    for (const Form& form : kForms) {
        if (lead < form.firstLead || lead > form.lastLead) {
            continue;
        }
        if (text.size() < form.length || !within(text, 1, form.secondLow, form.secondHigh)) {
            return 1;
        }
        for (std::size_t at = 2; at < form.length; ++at) {
            if (!within(text, at, 0x80, 0xBF)) {
                return 1;
            }
        }
        return form.length;
    }
    return 1;
}

} // namespace

std::string_view FirstCharacters(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (; count > 0 && end < text.size(); --count) {
        end += characterLength(text.substr(end));
    }
    return text.substr(0, end);
}
