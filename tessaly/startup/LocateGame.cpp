#include "GameSearch.h"
#include "tessaly/Main.h"
#include "tessaly/common/SettingsFile.h"
#include "tessaly/common/Strings.h"

namespace {

std::string LostNameText(const std::string& shownAs) {
    return "Tessaly cannot use the item you picked:\n" + shownAs +
           "\n\nIts name, or the name of a folder above it, is not plain UTF-8 text, so the file "
           "dialog could not hand it over as the disk spells it.  Please rename it, or pick "
           "another one.";
}

constexpr const char* kLocatePrompt = "Find and select Ironvale.exe";

} // namespace

void Main::LocateGame() {
    const std::string path = fBrowseForFolder(kLocatePrompt);
    if (!path.empty())
        Ironvaledirectory = GameFolderOf(path);
}

// Each "try again" opens a new dialog inside this one; once an inner call has set the game
// folder or the user has declined, the outer calls return without asking again.
std::string Main::fBrowseForFolder(const std::string& sPrompt) {
    const platform::ItemPick pick = services_.chooser.chooseItem(sPrompt, kGameExecutable);
    if (pick.outcome == platform::ItemPick::Outcome::NameLost) {
        // Its changed name might name another folder, or none: the user is told and picks anew.
        box(LostNameText(pick.shownAs), platform::BoxIcon::Warning);
        if (Ironvaledirectory.empty())
            LocateGame();
        return {};
    }
    if (NamesGameExecutable(pick.path))
        return pick.path;
    if (!Ironvaledirectory.empty())
        return {};
    if (box("Please Find and Select Ironvale.exe", platform::BoxIcon::None,
            platform::BoxButtons::OkCancel) == platform::BoxAnswer::Ok)
        LocateGame();
    else
        goodbye();
    return {};
}

// The hand search once more, with a game folder already known: a cancel or any other pick
// leaves it as it was, without the questions of a first start. A new folder is recorded as
// start-up records one.
void Main::mnuChooseGameFolder_Click() {
    const platform::ItemPick pick = services_.chooser.chooseItem(kLocatePrompt, kGameExecutable);
    if (pick.outcome == platform::ItemPick::Outcome::NameLost) {
        box(LostNameText(pick.shownAs), platform::BoxIcon::Warning);
        return;
    }
    if (!NamesGameExecutable(pick.path))
        return;
    const std::string folder = GameFolderOf(pick.path);
    WriteINI("Ironvale", "Directory", folder, settingsPath());
    Ironvaledirectory = AddBackslash(folder);
    showGameFolder();
}
