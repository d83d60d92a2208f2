#pragma once

#include "tessaly/install/NumberedRenames.h"

#include <string>
#include <unordered_set>
#include <vector>

// Every name that `folder` holds now, of files, folders and anything else, hidden ones too: any
// of them blocks a rename onto it. Throws std::filesystem::filesystem_error when the folder
// cannot be read.
std::unordered_set<std::string> NamesInFolder(const std::string& folder);

// For each rename of `plan`, whether its new name will be taken when its turn comes, by a name
// that `taken` (names without their folder) holds or by an earlier rename of the plan: such a
// rename fails, and its file keeps its name and goes on holding it. A rename that succeeds frees
// its old name for later ones.
std::vector<bool> TakenOnArrival(const NumberedRenames& plan,
                                 std::unordered_set<std::string> taken);

// The planned renames as the user reads them before saying Yes ("" for none): a line with the
// count of files and of those marked, then "old -> new", one a line, the names without their
// folder, those whose new name `taken` says is taken marked. Control characters in names (a newline
// among them) show as their visible pictures, so that each rename stays on its own line.
std::string RenamePreview(const NumberedRenames& plan, const std::vector<bool>& taken);

// The mark of a rename whose new name is taken.
inline constexpr const char* TakenMark = "   (already exists)";
