#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The settings file: "[section]" header lines, each followed by its "key=value" lines. Every
// call opens, reads or rewrites, and closes the file, so nothing goes stale between calls.

// The value of key in section, or "" when the file, the section or the key is missing.
std::string ReadINI(const std::string& section, const std::string& key,
                    const std::filesystem::path& file);

// Stores value under key in section, adding whatever is missing; a value that a read would
// trim or unquote is stored in quotes. Other processes writing the file the same way at the same
// time lose nothing. A write that cannot be done (refused text, read-only file, missing
// folder) leaves the file as it was and says nothing.
void WriteINI(const std::string& section, const std::string& key, const std::string& value,
              const std::filesystem::path& file);

// Values stored as WriteINI stores them, but in one write when the batch ends, in the order
// given, so that the records of one command cost a single flush to disk. A crash before the end
// loses them all and leaves the file as it was.
class SettingsBatch {
public:
    explicit SettingsBatch(std::filesystem::path file);
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;
    ~SettingsBatch();

    void write(const std::string& section, const std::string& key, const std::string& value);

private:
    struct Record {
        std::string section, key, value;
    };
    std::filesystem::path file_;
    std::vector<Record> records_;
};

namespace settings {

// Longest value that a read hands back, in characters (see FirstCharacters).
inline constexpr std::size_t kMaxValueLength = 254;

// What ReadINI returns for a file holding text.
std::string readValue(std::string_view text, std::string_view section, std::string_view key);

// Whether value, once written, reads back as it is: no line break and no more characters than
// a read hands back.
bool readsBack(std::string_view value);

// text after storing value under key in section, every other byte kept; nothing when the
// section, key or value is refused because it would add lines or could never be read back.
std::optional<std::string> withValue(std::string_view text, std::string_view section,
                                     std::string_view key, std::string_view value);

} // namespace settings
