#pragma once

#include "platform/AtomicFile.h"

#include <filesystem>
#include <memory>
#include <vector>

namespace platform {

class PendingFile;

// New files written one after another and named together at the end, which keeps a command's
// files as safe as one by one at the cost of a single flush: the bytes of all of them reach
// the disk before the first takes its name, and each folder is synced once after the last. A
// crash before the end leaves none of them; none is ever cut short under its name.
class NewFiles {
public:
    NewFiles();
    NewFiles(const NewFiles&) = delete;
    NewFiles& operator=(const NewFiles&) = delete;
    ~NewFiles();

    // Writes a new file that is to bear the name `target`; false, with errno set, when it could
    // not be written. A file added before for the same target gives way to this one: only the
    // last of them takes the name.
    bool add(const std::filesystem::path& target, const FileWriter& write);

    struct Failure {
        std::filesystem::path target;
        int error = 0;
    };
    // Names every file added, in the order added, never replacing a file that bears its name
    // already; the ones that could not be named, each with its error. The files are forgotten.
    std::vector<Failure> name();

private:
    std::vector<std::unique_ptr<PendingFile>> files_;
};

} // namespace platform
