#pragma once

#include <string>
#include <utility>

namespace platform {

// What the user did with a chooser dialog.
struct ItemPick {
    enum class Outcome {
        Cancelled,
        // `path` is the picked item's full path, byte for byte as the disk names it.
        Chosen,
        // An item was picked, but the dialog could not hand back its name as the disk spells
        // it (a name that is not UTF-8), so no path names it. `shownAs` is the path as the
        // dialog showed it, for telling the user; it must not be used as a path.
        NameLost,
    };

    static ItemPick cancelled() { return {}; }
    static ItemPick chosen(std::string path) { return {Outcome::Chosen, std::move(path), {}}; }
    static ItemPick nameLost(std::string shownAs) {
        return {Outcome::NameLost, {}, std::move(shownAs)};
    }

    Outcome outcome = Outcome::Cancelled;
    std::string path;
    std::string shownAs;
    bool operator==(const ItemPick&) const = default;
};

class ItemChooser {
public:
    virtual ~ItemChooser() = default;
    // A modal dialog where a file or a folder can be picked. It opens in the user's home
    // folder and shows first the files whose names match `nameFilter` (a name, or a pattern
    // with "*" and "?"), then, as the second choice, all files.
    virtual ItemPick chooseItem(const std::string& prompt, const std::string& nameFilter) = 0;
    // A modal dialog where only a folder can be picked.
    virtual ItemPick chooseFolder(const std::string& prompt) = 0;
};

} // namespace platform
