#include "NaturalOrder.h"

#include "SortByKey.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <cwctype>
#include <functional>
#include <locale.h>

namespace platform {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Stands for a run of digits in the key. No other character of the key takes its byte, as the
// digits themselves never stand there, and so a number sorts where its first digit would.
constexpr char kNumber = '0';

// A run of digits by its value: its length without leading zeros (a name holds at most 255
// bytes, so one byte holds it), then those digits. Leading zeros are left to the names' bytes.
void AppendNumber(std::string& key, std::string_view digits) {
    const std::size_t first = std::min(digits.find_first_not_of('0'), digits.size());
    key += kNumber;
    key += static_cast<char>(digits.size() - first);
    key += digits.substr(first);
}

// The C library knows the case of every Unicode character in its UTF-8 locale, which it always
// has, whatever locale the program runs in.
locale_t Utf8() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return locale;
}

// In lower case, so that case makes no difference. A byte that is no UTF-8 character counts as
// the replacement character.
void AppendText(std::string& key, std::string_view text) {
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
        for (const char c : text)
            key += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        return;
    }
    const locale_t previous = uselocale(Utf8());
    std::mbstate_t in{};
    std::mbstate_t out{};
    while (!text.empty()) {
        wchar_t character = 0;
        std::size_t length = std::mbrtowc(&character, text.data(), text.size(), &in);
        if (length == 0 || length > text.size()) {
            character = L'\uFFFD';
            length = 1;
            in = {};
        }
        char bytes[MB_LEN_MAX];
        const std::size_t size =
            std::wcrtomb(bytes, static_cast<wchar_t>(std::towlower(character)), &out);
        if (size <= sizeof bytes)
            key.append(bytes, size);
        text.remove_prefix(length);
    }
    uselocale(previous);
}

} // namespace

std::string NaturalSortKey(std::string_view name) {
    std::string key;
    while (!name.empty()) {
        const bool digits = IsDigit(name.front());
        const auto end = std::find_if(name.begin(), name.end(),
                                      [digits](char c) { return IsDigit(c) != digits; });
        const std::string_view run = name.substr(0, static_cast<std::size_t>(end - name.begin()));
        digits ? AppendNumber(key, run) : AppendText(key, run);
        name.remove_prefix(run.size());
    }
    return key;
}

void SortNaturally(std::vector<std::string>& names) {
    SortByKey(names, NaturalSortKey, std::less<std::string>());
}

} // namespace platform
