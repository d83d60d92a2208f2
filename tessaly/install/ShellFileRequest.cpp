#include "ShellFileRequest.h"

#include "platform/AtomicFile.h"
#include "platform/FileDescriptor.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
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

// Copies from the source's current offset to its end; errno tells why when it could not.
bool CopyBytes(int from, int to) {
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer.data() + done, static_cast<size_t>(got - done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0) {
                if (put == 0)
                    errno = EIO;
                return false;
            }
            done += put;
        }
    }
}

// 0, or the error number of the step that failed. A source that is not a regular file (a
// folder, a device, a FIFO) is refused before it is read.
int CopyFile(const std::string& file, const std::string& folder) {
    const platform::FileDescriptor source(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (source.get() < 0 || ::fstat(source.get(), &status) != 0)
        return errno;
    if (!S_ISREG(status.st_mode))
        return S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
    std::error_code error;
    fs::create_directories(folder, error);
    int failure = 0;
    const bool copied =
        platform::ReplaceFile(fs::path(folder) / fs::path(file).filename(), [&](int fd) {
            const bool done = CopyBytes(source.get(), fd);
            failure = done ? 0 : errno;
            return done;
        });
    if (copied)
        return 0;
    return failure != 0 ? failure : (errno != 0 ? errno : EIO);
}

ShellOutcome Copy(const ShellFileRequest& request, platform::MessageBoxes& boxes) {
    if (copyCancel() && copyCancel()(request))
        return {ECANCELED, true};
    errno = 0;
    const int status = CopyFile(request.from, request.to);
    if (status != 0) {
        boxes.show({"Tessaly",
                    "Cannot copy '" + request.from + "' to '" + request.to +
                        "': " + std::generic_category().message(status) + ".",
                    platform::BoxIcon::Critical, platform::BoxButtons::Ok});
    }
    return {status, false};
}

// Where the user's trash cannot be made, this Qt moves the folder into "files" of the working
// folder instead; the user would never find it there. The trash must stand before the move.
bool HomeTrashStands() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return !data.isEmpty() && QDir().mkpath(data + "/Trash");
}

ShellOutcome Trash(const ShellFileRequest& request) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(request.from, error)))
        return {ENOENT, false};
    if (!HomeTrashStands())
        return {ENOTDIR, false};
    QFile folder(QFile::decodeName(QByteArray::fromStdString(request.from)));
    return {folder.moveToTrash() ? 0 : EPERM, false};
}

} // namespace

ShellFileRequest TrashFolderRequest(const std::string& folder) {
    return {ShellOperation::Delete, folder, {}, shell::AllowUndo | shell::NoConfirmation};
}

ShellFileRequest CopyIntoFolderRequest(const std::string& file, const std::string& folder) {
    return {ShellOperation::Copy, file, folder, shell::NoConfirmation | shell::NoConfirmMkdir};
}

ShellOutcome RunShellFileRequest(const ShellFileRequest& request, platform::MessageBoxes& boxes) {
    return request.operation == ShellOperation::Copy ? Copy(request, boxes) : Trash(request);
}

void SetCopyCancel(CopyCancel cancels) {
    copyCancel() = std::move(cancels);
}
