#include "platform/NewFiles.h"

#include "platform/PendingFile.h"

#include <algorithm>
#include <cerrno>
#include <set>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {

namespace {

// Flushes issued together share the disk's cache flushes, where one after another each waits
// for its own. A flush of the whole file system (syncfs) costs about the same, but would also
// wait for every other program's unwritten data. The error of the first failed flush, or 0.
int FlushTogether(const std::vector<std::unique_ptr<PendingFile>>& files) {
    std::vector<int> errors(files.size(), 0);
    {
        std::vector<std::jthread> flushes;
        flushes.reserve(files.size());
        for (std::size_t n = 0; n < files.size(); ++n)
            flushes.emplace_back([&errors, n, fd = files[n]->fd()] {
                if (::fsync(fd) != 0)
                    errors[n] = errno;
            });
    }
    const auto failed = std::ranges::find_if(errors, [](int error) { return error != 0; });
    return failed == errors.end() ? 0 : *failed;
}

} // namespace

NewFiles::NewFiles() = default;
NewFiles::~NewFiles() = default;

bool NewFiles::add(const fs::path& target, const FileWriter& write) {
    // Gone first, so that a file system without unnamed files can give the same fixed name to
    // the new one.
    std::erase_if(files_, [&](const auto& file) { return file->target() == target; });
    auto file = std::make_unique<PendingFile>(target);
    if (file->fd() < 0 || !write(file->fd()))
        return false;
    files_.push_back(std::move(file));
    return true;
}

std::vector<NewFiles::Failure> NewFiles::name() {
    std::vector<Failure> failures;
    if (const int error = FlushTogether(files_); error != 0) {
        for (const auto& file : files_)
            failures.push_back({file->target(), error});
        files_.clear();
        return failures;
    }
    std::set<fs::path> folders;
    for (const auto& file : files_) {
        if (file->name(Existing::Keep))
            folders.insert(file->target().parent_path());
        else
            failures.push_back({file->target(), errno});
    }
    files_.clear();
    for (const fs::path& folder : folders)
        SyncFolder(folder.empty() ? fs::path(".") : folder);
    return failures;
}

} // namespace platform
