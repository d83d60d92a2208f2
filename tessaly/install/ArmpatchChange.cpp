#include "ArmpatchChange.h"

#include "SetAside.h"
#include "ShellFileRequest.h"
#include "Trash.h"
#include "platform/FolderListing.h"
#include "platform/PendingFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string ArmpatchFolderOf(const std::string& game) {
    return game + "data/armpatch";
}

struct OldFolder {
    std::string path;
    bool inTrash = false;
};

// Where the folder that the journaled command moved away lies now. The journal says so once the
// move is done; a command killed between its move and that note is found out by the folder's
// identity, among the places that a move keeps on its file system.
std::optional<OldFolder> FindOldFolder(const UndoJournal& journal) {
    if (!journal.old)
        return std::nullopt;
    if (!journal.oldAt.empty() && IdOf(journal.oldAt) == journal.old)
        return OldFolder{journal.oldAt, journal.inTrash};
    std::error_code error;
    for (const std::string& trash : TrashFolders(journal.folder))
        for (const fs::directory_entry& entry : fs::directory_iterator(trash, error))
            if (IdOf(entry.path().string()) == journal.old)
                return OldFolder{entry.path().string(), true};
    for (const std::string& aside : SetAsideFolders(journal.folder))
        if (IdOf(aside) == journal.old)
            return OldFolder{aside, false};
    return std::nullopt;
}

std::optional<UndoOffer> OfferOf(const std::optional<UndoJournal>& journal) {
    if (!journal)
        return std::nullopt;
    const std::optional<FileId> present = IdOf(journal->folder);
    if (!journal->old)
        return present ? std::optional(UndoOffer{journal->command, 0}) : std::nullopt;
    if (present == journal->old)
        return std::nullopt;
    const std::optional<OldFolder> old = FindOldFolder(*journal);
    if (!old)
        return std::nullopt;
    try {
        const auto pictures = platform::ListFiles(old->path, "*.*").size();
        return UndoOffer{journal->command, static_cast<int>(pictures)};
    } catch (const std::system_error&) {
        return UndoOffer{journal->command, 0};
    }
}

} // namespace

std::optional<UndoOffer> FindUndo(const std::string& game) {
    return OfferOf(ReadJournal(ArmpatchFolderOf(game)));
}

ArmpatchChange::ArmpatchChange(const std::string& game)
    : folder_(ArmpatchFolderOf(game)),
      game_(::open(game.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    // A game folder that cannot be opened is not there to be shared.
    busy_ =
        game_.get() >= 0 && ::flock(game_.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (!busy_)
        settle();
}

void ArmpatchChange::settle() {
    journal_ = ReadJournal(folder_);
    journaled_ = journal_.has_value();
    if (!journal_)
        return;
    RemoveStaleNotes(folder_);
    // Back in its place: the command was killed before it moved the folder, or an undo put it
    // back and was killed before it could end.
    if (journal_->old && IdOf(folder_) == journal_->old) {
        RemoveJournal(folder_);
        journal_.reset();
        journaled_ = false;
    }
}

bool ArmpatchChange::clearFolder(ArmpatchCommand command, platform::MessageBoxes& boxes) {
    const std::optional<UndoJournal> before = journaled_ ? journal_ : std::nullopt;
    journal_ = UndoJournal{command, folder_, IdOf(folder_)};
    // Without a journal the command still runs, but cannot be undone; an older journal would
    // take back another command.
    journaled_ = WriteJournal(*journal_);
    if (!journaled_)
        RemoveJournal(folder_);
    if (!journal_->old)
        return true;
    const ShellOutcome moved = RunShellFileRequest(TrashFolderRequest(folder_), boxes);
    if (!moved.succeeded()) {
        // Nothing has changed, so the command before can still be undone.
        if (!before || !WriteJournal(*before))
            RemoveJournal(folder_);
        journal_ = before;
        journaled_ = before.has_value();
        return false;
    }
    journal_->oldAt = moved.landedAt;
    journal_->inTrash = moved.inTrash;
    // The note need not wait for the disk: a crash that loses it leaves the journal written
    // before the move, from which Undo finds the folder by its identity.
    if (journaled_)
        WriteJournal(*journal_, platform::Flush::Later);
    return true;
}

bool ArmpatchChange::copyIn(const std::string& file, platform::MessageBoxes& boxes) {
    return RunShellFileRequest(CopyIntoFolderRequest(file, folder_ + "/"), boxes, &copies_)
        .succeeded();
}

bool ArmpatchChange::nameCopies(platform::MessageBoxes& boxes) {
    return NameCopies(copies_, boxes) == 0;
}

std::optional<UndoOffer> ArmpatchChange::undoOffer() const {
    return OfferOf(journal_);
}

bool ArmpatchChange::undo(platform::MessageBoxes& boxes) {
    if (!undoOffer())
        return false;
    const std::optional<OldFolder> old = FindOldFolder(*journal_);
    if (IdOf(folder_) && !RunShellFileRequest(TrashFolderRequest(folder_), boxes).succeeded())
        return false;
    if (old) {
        if (const int error = MoveWithoutReplacing(old->path, folder_); error != 0) {
            boxes.show({"Tessaly",
                        "The pictures in " + old->path + " could not be put back in " + folder_ +
                            ": " + std::generic_category().message(error) + ".",
                        platform::BoxIcon::Critical, platform::BoxButtons::Ok});
            return false;
        }
        if (old->inTrash)
            ::unlink(TrashInfoOf(old->path).c_str());
    }
    RemoveJournal(folder_);
    journal_.reset();
    journaled_ = false;
    return true;
}
