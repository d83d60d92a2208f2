#include "InstallFixture.h"

#include "support/FolderContents.h"
#include "tessaly/common/SettingsFile.h"
#include "tessaly/selection/PathListBox.h"

#include <cstdlib>

namespace fs = std::filesystem;

InstallTest::InstallTest() {
    fakes.programFolder.folder = kit.str();
    for (int n = 1; n <= 16; ++n) {
        const std::string name = "armpatch" + std::to_string(n) + ".ivb";
        kit.file("armpatch/" + name, ReadBytes(fs::path(TESSALY_KIT_DIR) / "armpatch" / name));
        oldPictures[name] = "old " + std::to_string(n);
    }
    layOutGame();
    kit.file("Tessaly.ini", "[Ironvale]\nDirectory=" + game.str() + "\n");
}

void InstallTest::layOutGame() const {
    for (const auto& [name, bytes] : oldPictures)
        game.file("data/armpatch/" + name, bytes);
    game.file("Ironvale.exe");
}

Main& InstallTest::window() {
    if (!main_) {
        main_ = std::make_unique<Main>(fakes.services());
        main_->Ironvaledirectory = game.str() + "/";
    }
    return *main_;
}

std::string InstallTest::source(const std::string& relative, const std::string& content) const {
    return sources.file(relative, content).string();
}

void InstallTest::list(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        window().LstFiles->insertPath(window().LstFiles->count(), path);
        ++window().cntr;
    }
}

Contents InstallTest::armpatchFolder() const {
    return FolderContents(armpatchDir());
}

std::string InstallTest::setting(const std::string& key) const {
    return ReadINI("Armpatch", key, settings());
}

platform::BoxRequest Box(const std::string& text, platform::BoxIcon icon,
                         platform::BoxButtons buttons) {
    return {"Tessaly", text, icon, buttons};
}

platform::BoxRequest InstallComplete() {
    return Box("Ironvale Armpatch Installation Complete", platform::BoxIcon::Information);
}

platform::BoxRequest ErrorCreating(const std::string& folder) {
    return Box("Error creating '" + folder, platform::BoxIcon::Critical);
}

fs::path TrashFolder() {
    return fs::path(std::getenv("XDG_DATA_HOME")) / "Trash";
}

bool InTrash(const Contents& contents) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(TrashFolder() / "files", error))
        if (entry.is_directory() && FolderContents(entry.path()) == contents)
            return true;
    return false;
}

std::vector<std::string> StaleTrashNotes() {
    std::vector<std::string> stale;
    std::error_code error;
    for (const auto& note : fs::directory_iterator(TrashFolder() / "info", error))
        if (!fs::exists(fs::symlink_status(TrashFolder() / "files" / note.path().stem())))
            stale.push_back(note.path().filename().string());
    return stale;
}

void EmptyTrash() {
    std::error_code error;
    fs::remove_all(TrashFolder(), error);
}

std::set<std::string> BytesBelow(const std::vector<fs::path>& places) {
    std::set<std::string> bytes;
    std::error_code error;
    for (const fs::path& place : places)
        for (fs::recursive_directory_iterator it(
                 place, fs::directory_options::follow_directory_symlink, error);
             it != fs::recursive_directory_iterator(); it.increment(error))
            if (it->is_regular_file(error))
                bytes.insert(ReadBytes(it->path()));
    return bytes;
}
