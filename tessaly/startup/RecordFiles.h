#pragma once

#include <string>
#include <vector>

// What the known places of each launcher need of the disk. None of them throws: a folder or
// file that cannot be read counts as empty, so that one broken record never stops the search.

// The full paths of the subfolders of `folder`, in the order of a file list.
std::vector<std::string> SubfoldersOf(const std::string& folder);

// The full paths of the files in `folder` whose names match `pattern`, in the order of a file
// list.
std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern);

// The content of a record file, or "".
std::string ReadRecord(const std::string& file);

void Append(std::vector<std::string>& to, std::vector<std::string> more);
