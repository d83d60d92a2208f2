#pragma once

#include "Journal.h"
#include "RenamePreview.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tallyfold {

// The renames that take back what `batch` did, given the names its folder holds now: each from
// the new name to the old one, last made first. Since the batch renames in a fixed order, the
// disk shows how far it got: the last rename made is the last one whose new name is there while
// its old name is not, or is taken by a file that could not be that rename's (its new name is
// no old name of the batch). Every rename before it was made; of those, the ones whose file no
// longer bears its new name (taken back already, or gone) are left out.
std::vector<Renaming> RenamesToTakeBack(const Batch& batch, const NameSet& names);

// What an undo is to do: take the renames `back` (names within `folder`) of the batch in `file`.
struct UndoPlan {
    std::filesystem::path file;
    std::string folder;
    std::vector<Renaming> back;
};

// The last batch of `folder` with anything to take back. The batches of the folder met on the
// way that have nothing (a run stopped or killed before its first rename) leave the journal.
// nullopt when there is none. Throws std::system_error when the folder cannot be read.
std::optional<UndoPlan> PlanUndo(const std::string& folder);

// How an undo ended: how many files it was to take back, and those that keep their new name.
struct UndoOutcome {
    std::size_t files = 0;
    std::vector<Renaming> kept;
};

// Takes the files back in order, never replacing a name; the batch then leaves the journal.
UndoOutcome ApplyUndo(const UndoPlan& plan);

std::string UndoQuestion(std::size_t files, const std::string& folder);
std::string NothingToUndo(const std::string& folder);

// What the user is told of an undo: the text, and the files that keep their new names, one a
// line, to show below it.
struct UndoReport {
    std::string text;
    std::string details;
    bool complete = true;
};

UndoReport ReportUndo(const UndoOutcome& outcome, const std::string& folder);

// `tallyfold --undo FOLDER`: takes back the last batch of `folder` without asking, since the
// command is the asking, and prints the report to `out`, a failure to `err`. The exit status:
// 0 when every file came back, 1 otherwise.
int UndoOnCommandLine(const std::string& folder, std::ostream& out, std::ostream& err);

} // namespace tallyfold
