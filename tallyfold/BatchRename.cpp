#include "BatchRename.h"

#include "Journal.h"
#include "RenamePreview.h"
#include "platform/FolderListing.h"
#include "platform/PendingFile.h"

#include <stdexcept>

namespace {

// Below 0x20, 0x7F, and U+0080 to U+009F in UTF-8: in a name they break the lines of listings,
// and an escape among them can drive the terminal that shows one.
bool HoldsControlCharacters(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80;
        if (byte < 0x20 || byte == 0x7F || c1)
            return true;
    }
    return false;
}

} // namespace

std::string TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string BatchFolder(std::string_view caption) {
    std::string folder = TrimBlanks(caption);
    if (!folder.ends_with('/'))
        folder += '/';
    return folder;
}

std::string_view FileNameOf(const std::string& path) {
    return std::string_view(path).substr(path.rfind('/') + 1);
}

// The system reads a name only up to a NUL, so it counts with "/" rather than with the control
// characters. A new name always holds its number, so it can be "." or ".." only by beginning
// with a dot, as any name that would hide the file does.
std::string LabelProblem(std::string_view label, Placement placement) {
    if (label.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
        return "The label cannot hold \"/\" or a NUL character, since the new names would not "
               "stay in the folder. Please choose another label.";
    if (HoldsControlCharacters(label))
        return "The label cannot hold control characters, such as a line break, a tab or an "
               "escape: in a file name they break the lines of a listing, and some can drive the "
               "terminal that shows it. Please choose another label.";
    if (placement == Placement::Prefix && label.starts_with('.'))
        return "The label cannot begin with \".\" before the number: a name that begins with "
               "\".\" is hidden, so the renamed files would vanish from view. Please choose "
               "another label, or put it after the number.";
    return {};
}

PreparedBatch PrepareBatch(const std::string& folder, std::string_view label, Placement placement) {
    const platform::FolderNames names = platform::ListNames(folder, platform::Order::Natural);
    PreparedBatch batch{folder, PlanNumberedRenames(folder, names.files, label, placement), {}};
    batch.taken = TakenOnArrival(batch.plan, AllNames(names));
    return batch;
}

namespace {

// The renames that are to happen: one whose new name is taken leaves its file where it was.
tallyfold::Batch JournalBatch(const PreparedBatch& batch) {
    tallyfold::Batch recorded{tallyfold::BatchFolderKey(batch.folder), {}};
    for (std::size_t i = 0; i < batch.plan.renamings.size(); ++i) {
        const Renaming& renaming = batch.plan.renamings[i];
        if (!batch.taken[i])
            recorded.renamings.push_back({std::string(FileNameOf(renaming.oldPath)),
                                          std::string(FileNameOf(renaming.newPath))});
    }
    return recorded;
}

} // namespace

PassEnd RunBatch(const PreparedBatch& batch, const Proceed& proceed) {
    try {
        tallyfold::RecordBatch(tallyfold::JournalFolder(), JournalBatch(batch));
    } catch (const std::exception& failure) {
        throw std::runtime_error("Tallyfold renamed nothing: it could not record the renaming in "
                                 "its journal, and without that the renaming could not be "
                                 "undone.\n\n" +
                                 std::string(failure.what()));
    }
    const PassEnd end = ApplyRenames(batch.plan, proceed);
    // One sync keeps all the new names, however the pass ended.
    platform::SyncFolder(batch.folder);
    return end;
}
