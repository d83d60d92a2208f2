#pragma once

#include "NumberedName.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct Renaming {
    std::string oldPath;
    std::string newPath;

    bool operator==(const Renaming&) const = default;
};

// One numbering pass worked out in full before any file is touched. The running number is a
// 16-bit integer that is raised after every file, also after the 32,767th, so a pass that
// reaches that file fails right after renaming it: `numberOverflows` says the renames end there.
struct NumberedRenames {
    std::vector<Renaming> renamings;
    bool numberOverflows = false;
};

// The renames that give the files `names` of `folder`, in that order, the numbers 1, 2, 3 ...
// The paths are the folder and the name with a separator between them unless the folder ends
// with one.
NumberedRenames PlanNumberedRenames(const std::string& folder,
                                    const std::vector<std::string>& names, std::string_view label,
                                    Placement placement);

// Asked after a rename failed; false ends the pass.
using Proceed = std::function<bool(const std::string& oldPath, const std::string& newPath)>;

enum class PassEnd { Finished, Stopped };

// Renames file by file, asking `proceed` after each failure; a failed file keeps its name and
// its number stays unused. Throws std::overflow_error after the last rename of a plan whose
// number overflows, unless `proceed` stopped the pass before.
PassEnd ApplyRenames(const NumberedRenames& plan, const Proceed& proceed);

// The question put to the user after a failed rename. Whatever the cause, it speaks of an
// existing file. After a label that follows the number the text keeps a blank before the
// line breaks.
std::string RenameErrorQuestion(const std::string& oldPath, const std::string& newPath,
                                Placement placement);
