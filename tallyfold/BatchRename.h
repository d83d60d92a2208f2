#pragma once

#include "tessaly/install/NumberedRenames.h"

#include <string>
#include <string_view>
#include <vector>

// The text without the blanks at its ends (tabs and other white space stay).
std::string TrimBlanks(std::string_view text);

// The folder to work in, as the caption of the folder choice names it: trimmed, and ending with
// exactly the separator it had or one added ("/" stays "/").
std::string BatchFolder(std::string_view caption);

// The name of the file at `path`, without its folder.
std::string_view FileNameOf(const std::string& path);

// Why `label` cannot go into the new names, as the user is told, or "" when it can.
std::string LabelProblem(std::string_view label, Placement placement);

// A batch as the user is asked about it: the folder (ending with a separator), the renames, and
// for each whether its new name will be taken when its turn comes (see TakenOnArrival).
struct PreparedBatch {
    std::string folder;
    NumberedRenames plan;
    std::vector<bool> taken;
};

// The batch that gives the plain files of `folder` (which ends with a separator) the numbers
// 1, 2, 3 ... beside `label`, in the order a file manager shows them, the listing read to its
// end first. Throws std::overflow_error when it holds more files than the number reaches, so
// that nothing is renamed, and std::system_error when the folder cannot be listed.
PreparedBatch PrepareBatch(const std::string& folder, std::string_view label, Placement placement);

// Records in the journal the renames that `batch` is to make, before the first of them, then
// makes them as ApplyRenames does. Throws std::runtime_error, telling why, when the journal
// cannot keep the batch: then nothing is renamed, since nothing could be undone.
PassEnd RunBatch(const PreparedBatch& batch, const Proceed& proceed);
