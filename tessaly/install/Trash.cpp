#include "Trash.h"

#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string HomeTrash() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? std::string() : QFile::encodeName(data + "/Trash").toStdString();
}

// Where the user's trash cannot be made, this Qt moves the entry into "files" of the working
// folder instead; the user would never find it there. The trash must stand before the move.
bool HomeTrashStands() {
    const std::string trash = HomeTrash();
    return !trash.empty() && QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(trash)));
}

// Whether a note speaks of `path`: by its Path line, absolute in the home trash and relative to
// the top of its file system in that file system's own trash, encoded or (as this Qt writes it)
// not; or, when a move was cut short before the note was written, by bearing its name alone.
bool NoteSpeaksOf(const fs::path& note, const std::string& path) {
    const std::string text = platform::ReadWholeFile(note).value_or("-");
    if (text.empty())
        return note.stem() == fs::path(path).filename() ||
               note.stem().string().starts_with(fs::path(path).filename().string() + "-");
    const std::size_t start = text.find("\nPath=");
    if (start == std::string::npos)
        return false;
    const std::size_t end = std::min(text.find('\n', start + 1), text.size());
    const std::string raw = text.substr(start + 6, end - start - 6);
    const std::string decoded =
        QByteArray::fromPercentEncoding(QByteArray::fromStdString(raw)).toStdString();
    for (const std::string& noted : {raw, decoded})
        if (noted == path ||
            (!noted.empty() && noted.front() != '/' && path.ends_with("/" + noted)))
            return true;
    return false;
}

} // namespace

std::optional<std::string> MoveToTrash(const std::string& path) {
    if (!HomeTrashStands())
        return std::nullopt;
    QFile entry(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!entry.moveToTrash())
        return std::nullopt;
    return QFile::encodeName(entry.fileName()).toStdString();
}

std::vector<std::string> TrashFolders(const std::string& path) {
    std::vector<std::string> folders;
    if (const std::string home = HomeTrash(); !home.empty())
        folders.push_back(home + "/files");
    const QString root =
        QStorageInfo(QFile::decodeName(QByteArray::fromStdString(path))).rootPath();
    if (!root.isEmpty()) {
        const std::string top = QFile::encodeName(root).toStdString();
        const std::string uid = std::to_string(::getuid());
        folders.push_back((fs::path(top) / ".Trash" / uid / "files").string());
        folders.push_back((fs::path(top) / (".Trash-" + uid) / "files").string());
    }
    return folders;
}

std::string TrashInfoOf(const std::string& entry) {
    const fs::path path(entry);
    return (path.parent_path().parent_path() / "info" / path.filename()).string() + ".trashinfo";
}

void RemoveStaleNotes(const std::string& path) {
    std::error_code error;
    for (const std::string& files : TrashFolders(path)) {
        for (const fs::directory_entry& note :
             fs::directory_iterator(fs::path(files).parent_path() / "info", error)) {
            const fs::path entry = fs::path(files) / note.path().stem();
            if (note.path().extension() == ".trashinfo" &&
                !fs::exists(fs::symlink_status(entry, error)) && NoteSpeaksOf(note.path(), path))
                fs::remove(note.path(), error);
        }
    }
}
