#pragma once

#include "platform/CommandLine.h"

#include <optional>
#include <ostream>
#include <string>

namespace tallyfold {

// How Tallyfold is asked to start: to end at once with `exitStatus`; to take back the last
// renaming in `folder` and end (`undo`); or to open its window with `folder` (empty for none)
// already chosen.
struct Start {
    std::optional<int> exitStatus;
    std::string folder;
    bool undo = false;
};

// Reads `tallyfold [--help] [--version] [--undo] [FOLDER]`, the program's name first; --undo
// without a FOLDER means the current one. A folder that is not one is refused here, where the
// user still reads the terminal.
Start ReadArguments(const platform::Arguments& arguments, std::ostream& out, std::ostream& err);

} // namespace tallyfold
