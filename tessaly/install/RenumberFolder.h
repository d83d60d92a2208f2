#pragma once

#include "NumberedRenames.h"

#include <string>

// Renames every plain file of `folder` to `word` + running number + its own extension, in the
// order a file manager shows them, listed to the end before the first rename. A folder that
// cannot be listed throws std::system_error, one of more files than the number reaches
// std::overflow_error, both before any rename.
PassEnd RenumberFolder(const std::string& folder, const std::string& word, const Proceed& proceed);
