#pragma once

#include "tessaly/install/NumberedRenames.h"

#include <string>
#include <string_view>

// The text without the blanks at its ends (tabs and other white space stay).
std::string TrimBlanks(std::string_view text);

// The folder to work in, as the caption of the folder choice names it: trimmed, and ending with
// exactly the separator it had or one added ("/" stays "/").
std::string BatchFolder(std::string_view caption);

// Whether `label` can stand inside a file name. A "/" would move the files out of the folder,
// and the system reads a name only up to a NUL.
bool FitsInFileName(std::string_view label);

// The most files one run renames: its count is a signed 16-bit integer.
inline constexpr std::size_t MostFilesInABatch = 32767;

// The renames that give the plain files of `folder` (which ends with a separator) the numbers
// 1, 2, 3 ... beside `label`, in listing order. The listing is read to its end first. Throws
// std::overflow_error when it holds more than MostFilesInABatch names, so that nothing is
// renamed, and std::system_error when the folder cannot be listed.
NumberedRenames PlanBatch(const std::string& folder, std::string_view label, Placement placement);
