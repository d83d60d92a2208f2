#pragma once

#include "platform/AtomicFile.h"

#include <cstdint>
#include <optional>
#include <string>

// What Undo needs to take back the last Install or Defaults on one game: kept in the user's
// state folder, one journal per game folder, and written before the command changes anything,
// so that it tells what is where even after the command was killed.

enum class ArmpatchCommand { Install, Defaults };

// "Install" or "Defaults", as the window's buttons name them.
std::string NameOf(ArmpatchCommand command);

// Which file or folder a path named: a rename keeps it, so a folder moved away is known again
// wherever it went.
struct FileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator==(const FileId&) const = default;
};

// What `path` names, not following a symbolic link; nothing when it names nothing.
std::optional<FileId> IdOf(const std::string& path);

struct UndoJournal {
    ArmpatchCommand command = ArmpatchCommand::Install;
    std::string folder;        // the armpatch folder, without a final "/"
    std::optional<FileId> old; // what `folder` named before the command; nothing for nothing
    std::string oldAt = {};    // where that went once it was moved: "" until then
    bool inTrash = false;      // oldAt is an entry of the trash

    bool operator==(const UndoJournal&) const = default;
};

// The journal's text, and back; nothing for a text that is no journal.
std::string JournalText(const UndoJournal& journal);
std::optional<UndoJournal> ParseJournal(const std::string& text);

// The journal of the last command on the armpatch folder `folder` (of one game folder);
// nothing when there is none.
std::optional<UndoJournal> ReadJournal(const std::string& folder);

// Replaces the journal of journal.folder at once; false when it could not be stored. With
// Flush::Later a crash may lose the write (see WriteNewFile).
bool WriteJournal(const UndoJournal& journal, platform::Flush flush = platform::Flush::Now);

void RemoveJournal(const std::string& folder);
