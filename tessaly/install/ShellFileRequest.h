#pragma once

#include "platform/MessageBoxes.h"
#include "platform/NewFiles.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The one way in which the kit copies and deletes files. A request is plain data, with the
// flags that say how quiet it is, so that callers and tests can see which request was issued.
// It has no owner window: the boxes it shows go through the message box service.
enum class ShellOperation : std::uint16_t { Copy = 2, Delete = 3 };

namespace shell {
inline constexpr std::uint16_t NoConfirmation = 0x0010;
inline constexpr std::uint16_t AllowUndo = 0x0040;
inline constexpr std::uint16_t NoConfirmMkdir = 0x0200;
} // namespace shell

struct ShellFileRequest {
    ShellOperation operation = ShellOperation::Copy;
    std::string from; // one path
    std::string to;   // one folder; empty for a delete
    std::uint16_t flags = 0;

    bool operator==(const ShellFileRequest&) const = default;
};

// A whole folder tree to the trash, without a question.
ShellFileRequest TrashFolderRequest(const std::string& folder);

// One file into `folder`, making missing folders, without a question. Both a list entry and a
// default picture go in this way.
ShellFileRequest CopyIntoFolderRequest(const std::string& file, const std::string& folder);

struct ShellOutcome {
    int status = 0;            // 0 on success, else the error number of the failure
    bool aborted = false;      // the user cancelled
    std::string landedAt = {}; // where the copy, or the deleted folder, lies now
    bool inTrash = false;      // a delete: landedAt is an entry of the trash

    bool succeeded() const { return status == 0 && !aborted; }
};

// Copies that have run but take their names together, when NameCopies names them: one flush
// puts the bytes of all of them on disk first, and one sync of their folder keeps the names,
// where one by one each copy would wait for two flushes of its own.
struct PendingCopies {
    platform::NewFiles files;
    std::vector<ShellFileRequest> requests;
};

// Runs the request and returns when it is done.
//
// A copy writes the new file unnamed where the file system allows, and it takes the file's name
// only once it is complete and on disk, so a failure or a crash never leaves part of a picture
// under a name nor a copy under another. It takes its name at once, or, when `later` is given,
// when NameCopies names the copies gathered there; of two gathered copies of one name, the later
// takes it. A file that bears the name already is never replaced. A failed copy is reported in a
// box titled "Tessaly" that names the file and the reason, since no desktop shell reports it
// for us; a cancelled one is not.
//
// A delete moves the folder to the user's trash (on another mount, that mount's own trash).
// When the trash cannot take it, the folder is set aside beside itself as
// "<name>.kept-<date>-<time>", and a box says where. When even that fails, the folder stays as
// it was and a critical box names it and the reason. Nothing is ever deleted for good. A folder
// that is not there is left quietly.
ShellOutcome RunShellFileRequest(const ShellFileRequest& request, platform::MessageBoxes& boxes,
                                 PendingCopies* later = nullptr);

// Names the copies gathered in `copies`, in the order they ran, reporting each that cannot take
// its name as a failed copy is reported: 0 when all of them took theirs, else the error of the
// first that could not.
int NameCopies(PendingCopies& copies, platform::MessageBoxes& boxes);

// Stands in for the Cancel button of a progress window, which this desktop has not got: asked
// before each copy, true cancels it. Tests set it to play a user who cancels; nothing else
// does. An empty function restores the default, which never cancels.
using CopyCancel = std::function<bool(const ShellFileRequest&)>;
void SetCopyCancel(CopyCancel cancels);
