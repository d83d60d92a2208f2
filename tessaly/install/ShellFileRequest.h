#pragma once

#include "platform/MessageBoxes.h"

#include <cstdint>
#include <functional>
#include <string>

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

// Asked before a copy replaces a file of its name, with the fixed temporary name that the copy
// bears for a moment on its way; false keeps the file and fails the copy with EEXIST.
using MayReplace = std::function<bool(const std::string& file, const std::string& passesThrough)>;

// Runs the request and returns when it is done.
//
// A copy writes the new file unnamed where the file system allows, and links it under the
// file's name only once it is complete and on disk, so a failure or a crash never leaves part
// of a picture under a name nor a copy under another. A file of its name is replaced only when
// `mayReplace` agrees. A failed copy is reported in a box titled "Tessaly" that names the file
// and the reason, since no desktop shell reports it for us; a cancelled one is not.
//
// A delete moves the folder to the user's trash (on another mount, that mount's own trash).
// When the trash cannot take it, the folder is set aside beside itself as
// "<name>.kept-<date>-<time>", and a box says where. When even that fails, the folder stays as
// it was and a critical box names it and the reason. Nothing is ever deleted for good. A folder
// that is not there is left quietly.
ShellOutcome RunShellFileRequest(const ShellFileRequest& request, platform::MessageBoxes& boxes,
                                 const MayReplace& mayReplace = {});

// Stands in for the Cancel button of a progress window, which this desktop has not got: asked
// before each copy, true cancels it. Tests set it to play a user who cancels; nothing else
// does. An empty function restores the default, which never cancels.
using CopyCancel = std::function<bool(const ShellFileRequest&)>;
void SetCopyCancel(CopyCancel cancels);
