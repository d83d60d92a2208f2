#include "GameSearch.h"
#include "tessaly/Main.h"

void Main::LocateGame() {
    const std::string path = fBrowseForFolder("Find and select Ironvale.exe");
    if (!path.empty())
        Ironvaledirectory = GameFolderOf(path);
}

// Each "try again" opens a new dialog inside this one; once an inner call has set the game
// folder or the user has declined, the outer calls return without asking again.
std::string Main::fBrowseForFolder(const std::string& sPrompt) {
    const std::string path = services_.chooser.chooseItem(sPrompt);
    if (NamesGameExecutable(path))
        return path;
    if (!Ironvaledirectory.empty())
        return {};
    if (box("Please Find and Select Ironvale.exe", platform::BoxIcon::None,
            platform::BoxButtons::OkCancel) == platform::BoxAnswer::Ok)
        LocateGame();
    else
        goodbye();
    return {};
}
