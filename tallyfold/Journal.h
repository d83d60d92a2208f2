#pragma once

#include "tessaly/install/NumberedRenames.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tallyfold {

// One run of renames as the journal keeps it: the folder, by its canonical path, and the renames
// that the run is to make there, by names within the folder, in the order it makes them.
struct Batch {
    std::string folder;
    std::vector<Renaming> renamings;

    bool operator==(const Batch&) const = default;
};

// A batch with the journal file that holds it.
struct RecordedBatch {
    std::filesystem::path file;
    Batch batch;
};

// How many batches the journal keeps: the newest ones.
inline constexpr std::size_t KeptBatches = 20;

// Tallyfold's journal: its state folder, made when missing.
std::filesystem::path JournalFolder();

// The folder as batches name it: its canonical path. Throws std::filesystem::filesystem_error
// when it is missing.
std::string BatchFolderKey(const std::string& folder);

// Adds `batch` to the journal in `journal` as a file of its own, written and synced before this
// returns, and drops the batches older than the newest KeptBatches. Throws std::runtime_error,
// telling why, when it cannot be recorded.
void RecordBatch(const std::filesystem::path& journal, const Batch& batch);

// Takes the batch in `file` out of the journal.
void ForgetBatch(const std::filesystem::path& file);

// The batches of `folder` (a BatchFolderKey) that the journal in `journal` holds, newest first.
// A file that is no batch, or that names a file outside the folder, is passed over.
std::vector<RecordedBatch> RecordedBatches(const std::filesystem::path& journal,
                                           const std::string& folder);

} // namespace tallyfold
