#include "ShellFileRequest.h"

#include "SetAside.h"
#include "Trash.h"
#include "platform/AtomicFile.h"
#include "platform/FileDescriptor.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

CopyCancel& copyCancel() {
    static CopyCancel cancels;
    return cancels;
}

std::string Reason(int error) {
    return std::generic_category().message(error);
}

// Copies from the source's current offset to its end; errno tells why when it could not.
bool CopyBytes(int from, int to) {
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0)
            return true;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 ||
            !platform::WriteAll(to, std::string_view(buffer.data(), static_cast<std::size_t>(got))))
            return false;
    }
}

std::string CopyTarget(const std::string& file, const std::string& folder) {
    return (fs::path(folder) / fs::path(file).filename()).string();
}

// 0, or the error number of the step that failed. A source that is not a regular file (a
// folder, a device, a FIFO) is refused before it is read.
int CopyFile(const std::string& file, const std::string& folder, platform::NewFiles& later) {
    const platform::FileDescriptor source(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (source.get() < 0 || ::fstat(source.get(), &status) != 0)
        return errno;
    if (!S_ISREG(status.st_mode))
        return S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
    std::error_code error;
    fs::create_directories(folder, error);
    int failure = 0;
    if (later.add(CopyTarget(file, folder), [&](int fd) {
            const bool done = CopyBytes(source.get(), fd);
            failure = done ? 0 : errno;
            return done;
        }))
        return 0;
    return failure != 0 ? failure : (errno != 0 ? errno : EIO);
}

void ReportCopyFailure(const ShellFileRequest& request, int error, platform::MessageBoxes& boxes) {
    boxes.show(
        {"Tessaly",
         "Cannot copy '" + request.from + "' to '" + request.to + "': " + Reason(error) + ".",
         platform::BoxIcon::Critical, platform::BoxButtons::Ok});
}

ShellOutcome Copy(const ShellFileRequest& request, platform::MessageBoxes& boxes,
                  PendingCopies& later) {
    if (copyCancel() && copyCancel()(request))
        return {ECANCELED, true};
    errno = 0;
    const int status = CopyFile(request.from, request.to, later.files);
    if (status != 0) {
        ReportCopyFailure(request, status, boxes);
        return {status};
    }
    later.requests.push_back(request);
    return {0, false, CopyTarget(request.from, request.to)};
}

// The folder only ever changes its name: into the trash, or beside itself. A copy that failed
// half-way would leave pictures in two places, or in none.
ShellOutcome Delete(const ShellFileRequest& request, platform::MessageBoxes& boxes) {
    const std::string& folder = request.from;
    std::error_code error;
    if (!fs::exists(fs::symlink_status(folder, error)))
        return {ENOENT};
    if (const std::optional<std::string> trashed = MoveToTrash(folder))
        return {0, false, *trashed, true};
    const Aside aside = SetAside(folder);
    if (aside.error != 0) {
        boxes.show({"Tessaly",
                    "The folder " + folder + " could not be moved to the trash or set aside: " +
                        Reason(aside.error) + ". Nothing has been changed.",
                    platform::BoxIcon::Critical, platform::BoxButtons::Ok});
        return {aside.error};
    }
    boxes.show({"Tessaly",
                "The trash could not take the folder " + folder + ". Its pictures are kept in " +
                    aside.path + ".",
                platform::BoxIcon::Information, platform::BoxButtons::Ok});
    return {0, false, aside.path, false};
}

} // namespace

ShellFileRequest TrashFolderRequest(const std::string& folder) {
    return {ShellOperation::Delete, folder, {}, shell::AllowUndo | shell::NoConfirmation};
}

ShellFileRequest CopyIntoFolderRequest(const std::string& file, const std::string& folder) {
    return {ShellOperation::Copy, file, folder, shell::NoConfirmation | shell::NoConfirmMkdir};
}

ShellOutcome RunShellFileRequest(const ShellFileRequest& request, platform::MessageBoxes& boxes,
                                 PendingCopies* later) {
    if (request.operation == ShellOperation::Delete)
        return Delete(request, boxes);
    if (later)
        return Copy(request, boxes, *later);
    PendingCopies now;
    const ShellOutcome copied = Copy(request, boxes, now);
    if (!copied.succeeded())
        return copied;
    const int named = NameCopies(now, boxes);
    return named == 0 ? copied : ShellOutcome{named};
}

int NameCopies(PendingCopies& copies, platform::MessageBoxes& boxes) {
    const std::vector<platform::NewFiles::Failure> failures = copies.files.name();
    for (const platform::NewFiles::Failure& failure : failures) {
        // Of two copies of one name, the later is the one that was to take it.
        const auto request = std::ranges::find_if(
            copies.requests.rbegin(), copies.requests.rend(), [&](const ShellFileRequest& copy) {
                return fs::path(CopyTarget(copy.from, copy.to)) == failure.target;
            });
        if (request != copies.requests.rend())
            ReportCopyFailure(*request, failure.error, boxes);
    }
    copies.requests.clear();
    return failures.empty() ? 0 : failures.front().error;
}

void SetCopyCancel(CopyCancel cancels) {
    copyCancel() = std::move(cancels);
}
