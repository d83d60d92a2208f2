#include "UndoJournal.h"

#include "platform/AtomicFile.h"
#include "platform/PendingFile.h"
#include "platform/UserFolders.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <charconv>
#include <filesystem>
#include <map>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// Paths are bytes and may hold a line break: each value is stored percent-encoded, on a line of
// its own.
std::string Encoded(const std::string& value) {
    return QByteArray::fromStdString(value).toPercentEncoding("/").toStdString();
}

std::string Decoded(const std::string& value) {
    return QByteArray::fromPercentEncoding(QByteArray::fromStdString(value)).toStdString();
}

std::optional<std::uint64_t> Number(std::string_view text) {
    std::uint64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

std::optional<FileId> ParseId(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const auto device = Number(std::string_view(text).substr(0, colon));
    const auto inode = Number(std::string_view(text).substr(colon + 1));
    if (!device || !inode)
        return std::nullopt;
    return FileId{*device, *inode};
}

// One journal per armpatch folder, named by a digest of its path, which may be any bytes.
fs::path JournalPath(const std::string& folder) {
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(folder), QCryptographicHash::Sha256);
    return platform::StateFolder("tessaly") /
           ("armpatch-" + digest.toHex().left(32).toStdString() + ".journal");
}

} // namespace

std::string NameOf(ArmpatchCommand command) {
    return command == ArmpatchCommand::Install ? "Install" : "Defaults";
}

std::optional<FileId> IdOf(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0)
        return std::nullopt;
    return FileId{status.st_dev, status.st_ino};
}

std::string JournalText(const UndoJournal& journal) {
    std::string text = "command=" + NameOf(journal.command) + "\n";
    text += "folder=" + Encoded(journal.folder) + "\n";
    if (journal.old)
        text += "old=" + std::to_string(journal.old->device) + ":" +
                std::to_string(journal.old->inode) + "\n";
    text += "oldAt=" + Encoded(journal.oldAt) + "\n";
    text += std::string("inTrash=") + (journal.inTrash ? "1" : "0") + "\n";
    return text;
}

std::optional<UndoJournal> ParseJournal(const std::string& text) {
    std::map<std::string, std::string> values;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        if (const std::size_t equals = line.find('='); equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
        start = end + 1;
    }
    UndoJournal journal;
    if (values["command"] == NameOf(ArmpatchCommand::Install))
        journal.command = ArmpatchCommand::Install;
    else if (values["command"] == NameOf(ArmpatchCommand::Defaults))
        journal.command = ArmpatchCommand::Defaults;
    else
        return std::nullopt;
    journal.folder = Decoded(values["folder"]);
    if (values.contains("old")) {
        journal.old = ParseId(values["old"]);
        if (!journal.old)
            return std::nullopt;
    }
    journal.oldAt = Decoded(values["oldAt"]);
    journal.inTrash = values["inTrash"] == "1";
    return journal;
}

std::optional<UndoJournal> ReadJournal(const std::string& folder) {
    try {
        const std::optional<std::string> text = platform::ReadWholeFile(JournalPath(folder));
        std::optional<UndoJournal> journal = text ? ParseJournal(*text) : std::nullopt;
        if (journal && journal->folder == folder)
            return journal;
    } catch (const fs::filesystem_error&) {
        // No state folder, no journal.
    }
    return std::nullopt;
}

bool WriteJournal(const UndoJournal& journal, platform::Flush flush) {
    try {
        const std::string text = JournalText(journal);
        return platform::WriteNewFile(
            JournalPath(journal.folder), [&](int fd) { return platform::WriteAll(fd, text); },
            [](const fs::path&) { return true; }, flush);
    } catch (const fs::filesystem_error&) {
        return false;
    }
}

// With the temporary file that a write of it may have left when it was killed.
void RemoveJournal(const std::string& folder) {
    try {
        const fs::path journal = JournalPath(folder);
        fs::remove(journal);
        platform::PendingFile::ClearLeftover(platform::PendingFile::FixedNameOf(journal));
    } catch (const fs::filesystem_error&) {
        // Nothing to remove where no state folder can be made.
    }
}
