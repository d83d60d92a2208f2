#pragma once

#include "tessaly/install/NumberedRenames.h"

#include <string>
#include <unordered_set>

// Every name that `folder` holds now, of files, folders and anything else, hidden ones too: any
// of them blocks a rename onto it. Throws std::filesystem::filesystem_error when the folder
// cannot be read.
std::unordered_set<std::string> NamesInFolder(const std::string& folder);

// The planned renames as the user reads them before saying Yes: "old -> new", one a line, the
// names without their folder. A rename whose new name will be taken when its turn comes, by a
// name that `taken` holds or by an earlier rename of the plan, is marked: it will fail and its
// file will keep its name. A rename that frees a name makes it available to later ones.
// Control characters in names (a newline among them) show as their visible pictures, so that
// each rename stays on its own line.
std::string RenamePreview(const NumberedRenames& plan, std::unordered_set<std::string> taken);

// The mark of a rename whose new name is taken.
inline constexpr const char* TakenMark = "   (already exists)";
