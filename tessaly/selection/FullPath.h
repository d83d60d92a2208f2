#pragma once

#include <string>

// The full path of a file that a list shows by name within `folder`: a separator between the
// two only where the folder does not already end with one, as at the root. "" when no file is
// named, so that a caller cannot mistake the folder itself for a file.
std::string FullPath(const std::string& folder, const std::string& name);
