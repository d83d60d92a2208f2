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

// One numbering pass worked out in full before any file is touched.
struct NumberedRenames {
    std::vector<Renaming> renamings;
};

// The highest running number: it is a signed 16-bit integer.
inline constexpr std::size_t HighestNumber = 32767;

// The renames that give the files `names` of `folder`, in that order, the numbers 1, 2, 3 ...
// The paths are the folder and the name with a separator between them unless the folder ends
// with one. Throws std::overflow_error ("Overflow") when the names are more than the number
// reaches, so that a pass renames all of its files or none.
NumberedRenames PlanNumberedRenames(const std::string& folder,
                                    const std::vector<std::string>& names, std::string_view label,
                                    Placement placement);

// Asked after a rename failed; false ends the pass.
using Proceed = std::function<bool(const std::string& oldPath, const std::string& newPath)>;

enum class PassEnd { Finished, Stopped };

// Renames file by file, asking `proceed` after each failure; a failed file keeps its name and
// its number stays unused.
PassEnd ApplyRenames(const NumberedRenames& plan, const Proceed& proceed);

// The question put to the user after a failed rename. Whatever the cause, it speaks of an
// existing file. After a label that follows the number the text keeps a blank before the
// line breaks.
std::string RenameErrorQuestion(const std::string& oldPath, const std::string& newPath,
                                Placement placement);
