#include "Journal.h"

#include "platform/AtomicFile.h"
#include "platform/UserFolders.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace tallyfold {

namespace fs = std::filesystem;

namespace {

// A batch file: this line, then the folder and the old and new name of each rename, each ended
// by a NUL, the one byte that no name holds.
constexpr std::string_view Header = "Tallyfold batch 1\n";
constexpr std::string_view Extension = ".batch";

struct JournalFile {
    std::uint64_t number;
    fs::path path;
};

// The batch files, oldest first. Each is numbered one above the newest one before it; the
// process id keeps apart two Tallyfolds that record at once.
std::vector<JournalFile> JournalFiles(const fs::path& journal) {
    std::vector<JournalFile> files;
    std::error_code error;
    for (fs::directory_iterator entry(journal, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().native();
        JournalFile file{0, entry->path()};
        const auto [after, failure] =
            std::from_chars(name.data(), name.data() + name.size(), file.number);
        if (failure == std::errc() && *after == '-' && name.ends_with(Extension))
            files.push_back(std::move(file));
    }
    std::sort(files.begin(), files.end(), [](const JournalFile& a, const JournalFile& b) {
        return a.number != b.number ? a.number < b.number : a.path < b.path;
    });
    return files;
}

fs::path NewFile(const fs::path& journal, std::uint64_t number) {
    char name[64];
    std::snprintf(name, sizeof name, "%010llu-%ld", static_cast<unsigned long long>(number),
                  static_cast<long>(::getpid()));
    return journal / (name + std::string(Extension));
}

std::string Serialized(const Batch& batch) {
    std::size_t size = Header.size() + batch.folder.size() + 1;
    for (const Renaming& renaming : batch.renamings)
        size += renaming.oldPath.size() + renaming.newPath.size() + 2;
    std::string text;
    text.reserve(size);
    text += Header;
    text += batch.folder;
    text += '\0';
    for (const Renaming& renaming : batch.renamings) {
        text += renaming.oldPath;
        text += '\0';
        text += renaming.newPath;
        text += '\0';
    }
    return text;
}

// A rename must stay in its folder, whatever the file holds.
bool IsPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

std::optional<Batch> Parsed(std::string_view text) {
    if (!text.starts_with(Header))
        return std::nullopt;
    text.remove_prefix(Header.size());
    std::vector<std::string_view> fields;
    while (!text.empty()) {
        const std::size_t end = text.find('\0');
        if (end == std::string_view::npos)
            return std::nullopt;
        fields.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    if (fields.size() % 2 == 0 || !fields.front().starts_with('/'))
        return std::nullopt;
    Batch batch{std::string(fields.front()), {}};
    for (std::size_t i = 1; i < fields.size(); i += 2) {
        if (!IsPlainName(fields[i]) || !IsPlainName(fields[i + 1]))
            return std::nullopt;
        batch.renamings.push_back({std::string(fields[i]), std::string(fields[i + 1])});
    }
    return batch;
}

} // namespace

fs::path JournalFolder() {
    return platform::StateFolder("tallyfold");
}

std::string BatchFolderKey(const std::string& folder) {
    return fs::canonical(folder).native();
}

void RecordBatch(const fs::path& journal, const Batch& batch) {
    const std::vector<JournalFile> files = JournalFiles(journal);
    const fs::path file = NewFile(journal, files.empty() ? 1 : files.back().number + 1);
    const std::string text = Serialized(batch);
    errno = 0;
    // The name is new, so a batch file never replaces another.
    if (!platform::WriteNewFile(file, [&](int fd) { return platform::WriteAll(fd, text); }, {}))
        throw std::system_error(errno != 0 ? errno : EIO, std::generic_category(),
                                "Cannot write '" + file.native() + "'");
    // The new batch is the one more that the files listed above do not hold.
    for (std::size_t i = 0; i + KeptBatches < files.size() + 1; ++i)
        ForgetBatch(files[i].path);
}

void ForgetBatch(const fs::path& file) {
    std::error_code ignored;
    fs::remove(file, ignored);
}

std::vector<RecordedBatch> RecordedBatches(const fs::path& journal, const std::string& folder) {
    std::vector<RecordedBatch> batches;
    const std::vector<JournalFile> files = JournalFiles(journal);
    for (auto file = files.rbegin(); file != files.rend(); ++file) {
        const std::optional<std::string> text = platform::ReadWholeFile(file->path);
        std::optional<Batch> batch = text ? Parsed(*text) : std::nullopt;
        if (batch && batch->folder == folder)
            batches.push_back({file->path, std::move(*batch)});
    }
    return batches;
}

} // namespace tallyfold
