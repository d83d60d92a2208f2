#pragma once

#include <optional>
#include <string>
#include <vector>

// The user's trash, as the desktops share it: each trash folder holds the trashed entries in
// "files" and, for each, a note of where it came from in "info".

// Moves the file or folder at `path` (a symbolic link as it is) to the trash and returns where
// it now lies; nothing when the trash cannot take it. On another file system than the home
// trash's it goes to that file system's own trash, when it has one.
std::optional<std::string> MoveToTrash(const std::string& path);

// The "files" folders of every trash that an entry of `path`'s file system may have gone to.
std::vector<std::string> TrashFolders(const std::string& path);

// The note beside a trashed entry, which must go when the entry leaves the trash.
std::string TrashInfoOf(const std::string& entry);

// Removes the notes, in the trashes of `path`'s file system, that speak of `path` but whose
// entry has left the trash or never reached it: what a move into or out of the trash leaves
// when it is cut short between its steps. An empty note without an entry that bears `path`'s
// name counts as one of those.
void RemoveStaleNotes(const std::string& path);
