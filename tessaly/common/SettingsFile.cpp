#include "tessaly/common/SettingsFile.h"

#include "platform/FileDescriptor.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// ---- The text of the file -------------------------------------------------------------------

bool isBlank(char c) {
    return c == ' ' || c == '\t';
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
    if (section.empty() || section.find(']') != std::string_view::npos) {
        return false;
    }
    return !key.empty() && key.find('=') == std::string_view::npos &&
           std::string_view("[;#").find(key.front()) == std::string_view::npos;
}

// ---- The file on disk -----------------------------------------------------------------------

// Nothing when the file cannot be opened or read; a FIFO or device is never waited on.
std::optional<std::string> readFile(const fs::path& file) {
    platform::FileDescriptor handle(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (handle.get() < 0 || ::fstat(handle.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    std::string text;
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t got = ::read(handle.get(), buffer.data(), buffer.size());
        if (got == 0) {
            return text;
        }
        if (got > 0) {
            text.append(buffer.data(), static_cast<std::size_t>(got));
        } else if (errno != EINTR) {
            return std::nullopt;
        }
    }
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t put = ::write(fd, text.data(), text.size());
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// The file a write must replace: the end of a chain of symbolic links, so the link survives.
std::optional<fs::path> linkTarget(fs::path file) {
    constexpr int kMaxHops = 40;
    std::error_code error;
    for (int hop = 0; hop < kMaxHops; ++hop) {
        if (!fs::is_symlink(fs::symlink_status(file, error))) {
            return file;
        }
        const fs::path next = fs::read_symlink(file, error);
        if (error) {
            return std::nullopt;
        }
        file = file.parent_path() / next; // an absolute target replaces the whole path
    }
    return std::nullopt;
}

// A file without any write bit stays as it is even for a user whose rights override the bits:
// the rename below would otherwise replace a file that its owner marked read-only.
bool isReadOnly(const fs::path& file, const struct stat& status) {
    return (status.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0;
}

struct TempFile {
    int fd;
    fs::path path;
};

// A new hidden file beside target. O_EXCL never reuses a name, not even a leftover from a
// crash; the kernel applies the umask to mode.
std::optional<TempFile> createTempBeside(const fs::path& target, mode_t mode) {
    constexpr int kAttempts = 100;
    const std::string stem =
        "." + target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        fs::path path = target.parent_path() / (stem + std::to_string(attempt));
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            return TempFile{fd, std::move(path)};
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// Makes the rename itself survive a crash; a folder that cannot be synced changes nothing.
void syncFolder(const fs::path& file) {
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const platform::FileDescriptor handle(
        ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.get() >= 0) {
        ::fsync(handle.get());
    }
}

// Writes text to a fresh file beside target and renames it over target, so that at any moment
// target holds either its old or its new text, never a part of one. oldMode is the replaced
// file's permission bits, if there is one.
void replaceFile(const fs::path& target, std::string_view text, std::optional<mode_t> oldMode) {
    const std::optional<TempFile> temp = createTempBeside(target, oldMode.value_or(0666) & 0777);
    if (!temp) {
        return;
    }
    platform::FileDescriptor handle(temp->fd);
    bool written = writeAll(handle.get(), text) &&
                   (!oldMode || ::fchmod(handle.get(), *oldMode) == 0) &&
                   ::fsync(handle.get()) == 0;
    written = handle.close() && written;
    if (!written || ::rename(temp->path.c_str(), target.c_str()) != 0) {
        ::unlink(temp->path.c_str());
        return;
    }
    syncFolder(target);
}

} // namespace

namespace settings {

std::string readValue(std::string_view text, std::string_view section, std::string_view key) {
    const Lookup found = lookUp(text, trimBlanks(section), trimBlanks(key));
    std::string_view value = found.value;
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (quoted) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, kMaxValueLength));
}

std::optional<std::string> withValue(std::string_view text, std::string_view section,
                                     std::string_view key, std::string_view value) {
    section = trimBlanks(section);
    key = trimBlanks(key);
    if (!isStorable(section, key, value)) {
        return std::nullopt;
    }
    const std::string_view ending = lineEndingOf(text);
    const std::string entry = std::string(key) + "=" + std::string(value);
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
    return settings::readValue(readFile(file).value_or(std::string()), section, key);
}

void WriteINI(const std::string& section, const std::string& key, const std::string& value,
              const std::filesystem::path& file) {
    const std::optional<fs::path> target = linkTarget(file);
    if (!target) {
        return;
    }
    struct stat status {};
    const bool exists = ::lstat(target->c_str(), &status) == 0;
    if (!exists && errno != ENOENT) {
        return;
    }
    if (exists && (!S_ISREG(status.st_mode) || isReadOnly(*target, status))) {
        return;
    }
    // An existing file that cannot be read is left alone rather than replaced by a new one.
    const std::optional<std::string> text = exists ? readFile(*target) : std::string();
    if (!text) {
        return;
    }
    const std::optional<std::string> updated = settings::withValue(*text, section, key, value);
    if (!updated || *updated == *text) {
        return;
    }
    replaceFile(*target, *updated,
                exists ? std::optional<mode_t>(status.st_mode & 07777) : std::nullopt);
}
