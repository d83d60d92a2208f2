#pragma once

#include "platform/FolderListing.h"
#include "tessaly/install/NumberedRenames.h"

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// Names within one folder, viewed in the strings that hold them.
using NameSet = std::unordered_set<std::string_view>;

// Every name of `names`, files and others: any of them blocks a rename onto it.
NameSet AllNames(const platform::FolderNames& names);

// For each rename of `plan`, whether its new name will be taken when its turn comes, by a name
// that `taken` holds or by an earlier rename of the plan: such a rename fails, and its file keeps
// its name and goes on holding it. A rename that succeeds frees its old name for later ones.
std::vector<bool> TakenOnArrival(const NumberedRenames& plan, NameSet taken);

// The planned renames as the user reads them before saying Yes ("" for none): a line with the
// count of files and of those marked, then "old -> new", one a line, the names without their
// folder, those whose new name `taken` says is taken marked. Control characters in names (a newline
// among them) show as their visible pictures, so that each rename stays on its own line.
std::string RenamePreview(const NumberedRenames& plan, const std::vector<bool>& taken);

// The mark of a rename whose new name is taken.
inline constexpr const char* TakenMark = "   (already exists)";
