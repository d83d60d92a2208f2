#pragma once

#include "NumberedRenames.h"

#include <string>

// Renames every plain file of `folder` to `word` + running number + its own extension, in the
// order of the folder listing, which is read to its end before the first rename. A folder that
// cannot be listed throws std::system_error; the 16-bit number's end throws as ApplyRenames says.
PassEnd RenumberFolder(const std::string& folder, const std::string& word, const Proceed& proceed);
