#pragma once

#include "ShellFileRequest.h"
#include "UndoJournal.h"
#include "platform/FileDescriptor.h"
#include "platform/MessageBoxes.h"

#include <optional>
#include <string>

// What Undo would take back: the last command on an armpatch folder, and how many pictures the
// folder held before it, which come back.
struct UndoOffer {
    ArmpatchCommand command = ArmpatchCommand::Install;
    int pictures = 0;

    bool operator==(const UndoOffer&) const = default;
};

// What Undo would take back on the armpatch folder of the game folder `game` (which ends with
// "/"): nothing when no command is journaled, when the folder of before is in its place again,
// or when it is gone for good (the trash was emptied).
std::optional<UndoOffer> FindUndo(const std::string& game);

// One Install, Defaults or Undo on a game's armpatch folder, for as long as it runs.
//
// It holds a lock on the game folder, so that two Tessalys never change one armpatch folder at
// once: flock on the folder itself, which leaves no lock file behind and ends with the process,
// however that ends. It keeps the journal from which Undo takes the last command back. Its copies
// go into the folder emptied for them and never replace a file: no picture that was in the
// folder before is ever replaced or deleted for good.
class ArmpatchChange {
public:
    // Takes the lock without waiting, then puts right what a command killed before left: the
    // note in the trash of a folder that an undo had put back.
    explicit ArmpatchChange(const std::string& game);
    ArmpatchChange(const ArmpatchChange&) = delete;
    ArmpatchChange& operator=(const ArmpatchChange&) = delete;

    // Another process holds the lock: nothing may be changed.
    bool busy() const { return busy_; }

    // Install's and Defaults' first change: the folder goes to the trash, or is set aside, after
    // the journal has said what `command` is about to do. false when it could go nowhere: then
    // nothing has changed, the boxes have said why, and the command must stop.
    bool clearFolder(ArmpatchCommand command, platform::MessageBoxes& boxes);

    // One file into the folder, complete but nameless until nameCopies: a crash before then
    // leaves none of the copies. A later copy of the same name takes the name instead.
    bool copyIn(const std::string& file, platform::MessageBoxes& boxes);
    // Names the copies in the order they were made, never replacing a file; false when one
    // could not take its name, after a box has said why.
    bool nameCopies(platform::MessageBoxes& boxes);

    std::optional<UndoOffer> undoOffer() const;

    // Takes the journaled command back: the folder as it is now leaves by the same rules as in
    // clearFolder, and the folder of before comes back to its place. Each step looks first
    // whether it is done already, so an undo cut short is finished by the next. false when it
    // stopped, after the boxes have said why.
    bool undo(platform::MessageBoxes& boxes);

private:
    void settle();

    std::string folder_;
    platform::FileDescriptor game_;
    bool busy_ = false;
    std::optional<UndoJournal> journal_;
    bool journaled_ = false; // journal_ is on disk
    PendingCopies copies_;
};
