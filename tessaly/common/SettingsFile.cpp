#include "tessaly/common/SettingsFile.h"

#include "platform/AtomicFile.h"
#include "tessaly/common/Utf8.h"

#include <algorithm>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// ---- The text of the file -------------------------------------------------------------------

// What a read trims around names and values: besides blanks, the CR of a line ended by CR CR LF
// or by a lone CR, and the form feeds, vertical tabs and ^Z end-of-file marks that editors of
// other systems leave.
bool isBlank(char c) {
    return std::string_view(" \t\r\v\f\x1A").find(c) != std::string_view::npos;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// One pair of matching quotes around the whole value, which a read drops.
bool isQuoted(std::string_view value) {
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front();
}

// A value that a read would trim or unquote is stored quoted, so that it reads back as written.
std::string storedForm(std::string_view value) {
    const bool exposed =
        !value.empty() && (isBlank(value.front()) || isBlank(value.back()) || isQuoted(value));
    return exposed ? "\"" + std::string(value) + "\"" : std::string(value);
}

// Only ASCII letters fold: names are bytes in whatever code page the file was written in.
char foldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, {}, foldCase, foldCase);
}

// The BOM belongs to no line: it is kept as it is and never part of a name.
std::size_t bodyStart(std::string_view text) {
    return text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
}

// Lines are kept as offsets into the whole text, so an edit splices exactly the bytes it means
// to change and every other byte stays as it was.
struct Line {
    std::size_t start;
    std::size_t contentEnd; // before "\n" or "\r\n"
    std::size_t end;        // after the line ending, if any
};

Line lineAt(std::string_view text, std::size_t start) {
    const std::size_t newline = text.find('\n', start);
    if (newline == std::string_view::npos) {
        return {start, text.size(), text.size()};
    }
    const bool crlf = newline > start && text[newline - 1] == '\r';
    return {start, crlf ? newline - 1 : newline, newline + 1};
}

enum class LineKind { Other, Header, Entry };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::string_view value;
};

// Anything that is neither a header nor a key=value line (comments, stray text) is Other and
// is carried through writes untouched.
ParsedLine parseLine(std::string_view content) {
    const std::string_view line = trimBlanks(content);
    if (line.empty() || line.front() == ';' || line.front() == '#') {
        return {};
    }
    if (line.front() == '[') {
        if (const std::size_t close = line.find(']'); close != std::string_view::npos) {
            return {LineKind::Header, trimBlanks(line.substr(1, close - 1)), {}};
        }
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    const std::string_view name = trimBlanks(line.substr(0, equals));
    if (name.empty()) {
        return {};
    }
    return {LineKind::Entry, name, trimBlanks(line.substr(equals + 1))};
}

struct Lookup {
    std::optional<Line> entry; // the first line of key in any section named section
    std::string_view value;
    // Where a new key goes: after the last non-blank line of the first section named section,
    // so blank lines that part it from the next section stay in front of that one.
    std::optional<std::size_t> insertAt;
};

// A section named twice is searched in file order, so the first occurrence of a key wins.
Lookup lookUp(std::string_view text, std::string_view section, std::string_view key) {
    Lookup found;
    bool inSection = false;
    bool inFirstSection = false;
    for (std::size_t start = bodyStart(text); start < text.size();) {
        const Line line = lineAt(text, start);
        const std::string_view content = text.substr(line.start, line.contentEnd - line.start);
        const ParsedLine parsed = parseLine(content);
        if (parsed.kind == LineKind::Header) {
            inSection = sameName(parsed.name, section);
            inFirstSection = inSection && !found.insertAt;
        } else if (inSection && parsed.kind == LineKind::Entry && sameName(parsed.name, key)) {
            found.entry = line;
            found.value = parsed.value;
            return found;
        }
        if (inFirstSection && !trimBlanks(content).empty()) {
            found.insertAt = line.end;
        }
        start = line.end;
    }
    return found;
}

// New lines take the ending that the file already uses.
std::string_view lineEndingOf(std::string_view text) {
    const std::size_t newline = text.find('\n');
    const bool crlf = newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r';
    return crlf ? "\r\n" : "\n";
}

// A line added at pos must not run on from an unterminated last line.
std::string_view breakBefore(std::string_view text, std::size_t pos, std::string_view ending) {
    return pos > bodyStart(text) && text[pos - 1] != '\n' ? ending : std::string_view();
}

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Besides line breaks, which a file name may hold here, names that would parse as another kind
// of line, or as another key, are refused: their value could never be found again.
bool isStorable(std::string_view section, std::string_view key, std::string_view value) {
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value)) {
        return false;
    }
    section = trimBlanks(section);
    key = trimBlanks(key);
    if (section.empty() || section.find(']') != std::string_view::npos) {
        return false;
    }
    return !key.empty() && key.find('=') == std::string_view::npos &&
           std::string_view("[;#").find(key.front()) == std::string_view::npos;
}

} // namespace

namespace settings {

std::string readValue(std::string_view text, std::string_view section, std::string_view key) {
    const Lookup found = lookUp(text, trimBlanks(section), trimBlanks(key));
    std::string_view value = found.value;
    if (isQuoted(value)) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(FirstCharacters(value, kMaxValueLength));
}

bool readsBack(std::string_view value) {
    return !holdsLineBreak(value) && FirstCharacters(value, kMaxValueLength).size() == value.size();
}

std::optional<std::string> withValue(std::string_view text, std::string_view section,
                                     std::string_view key, std::string_view value) {
    if (!isStorable(section, key, value)) {
        return std::nullopt;
    }
    section = trimBlanks(section);
    key = trimBlanks(key);
    const std::string_view ending = lineEndingOf(text);
    const std::string entry = std::string(key) + "=" + storedForm(value);
    const Lookup found = lookUp(text, section, key);
    std::string result(text);
    if (found.entry) {
        result.replace(found.entry->start, found.entry->contentEnd - found.entry->start, entry);
    } else if (found.insertAt) {
        const std::size_t at = *found.insertAt;
        result.insert(at, std::string(breakBefore(text, at, ending)) + entry + std::string(ending));
    } else {
        result += std::string(breakBefore(text, text.size(), ending)) + "[" + std::string(section) +
                  "]" + std::string(ending) + entry + std::string(ending);
    }
    return result;
}

} // namespace settings

std::string ReadINI(const std::string& section, const std::string& key,
                    const std::filesystem::path& file) {
    return settings::readValue(platform::ReadWholeFile(file).value_or(std::string()), section, key);
}

void WriteINI(const std::string& section, const std::string& key, const std::string& value,
              const std::filesystem::path& file) {
    platform::EditFile(file, [&](std::string_view text) {
        return settings::withValue(text, section, key, value);
    });
}

SettingsBatch::SettingsBatch(std::filesystem::path file) : file_(std::move(file)) {}

// A refused record is left out, as WriteINI leaves it.
SettingsBatch::~SettingsBatch() {
    if (records_.empty())
        return;
    platform::EditFile(file_, [this](std::string_view text) {
        std::string result(text);
        for (const Record& record : records_)
            if (auto stored = settings::withValue(result, record.section, record.key, record.value))
                result = std::move(*stored);
        return std::optional(std::move(result));
    });
}

void SettingsBatch::write(const std::string& section, const std::string& key,
                          const std::string& value) {
    records_.push_back({section, key, value});
}
