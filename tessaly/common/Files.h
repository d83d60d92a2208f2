#pragma once

#include <string>

// True only for an existing regular file (a symbolic link to one counts). A folder, the empty
// text or a path that cannot be reached give false.
bool FileExists(const std::string& sFullPath);

// Writes `text` as the whole content of the file, creating it when missing (never its folder).
// Anything but a regular file in its place (a named pipe, a device) is refused at once, never
// waited on. Every failure is the result false; nothing is shown or thrown.
bool WriteTextFile(const std::string& path, const std::string& text);
