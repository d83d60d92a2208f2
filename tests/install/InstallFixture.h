#pragma once

#include "support/FakeServices.h"
#include "support/TempDir.h"
#include "tessaly/Main.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

using Contents = std::map<std::string, std::string>;

// A main window over fake services, with a kit folder that holds the game's sixteen default
// pictures and a game folder whose armpatch folder holds sixteen old ones ("old 1" ...).
// Tests lay out their files before the first call of window().
class InstallTest : public testing::Test {
protected:
    InstallTest();

    // The game's executable and its armpatch folder of sixteen old pictures.
    void layOutGame() const;
    Main& window();
    // A picture of the user's below the sources folder; its full path.
    std::string source(const std::string& relative, const std::string& content = {}) const;
    // Puts the paths into the installation list, first at the top.
    void list(const std::vector<std::string>& paths);
    std::string armpatchDir() const { return game.str() + "/data/armpatch/"; }
    Contents armpatchFolder() const;
    std::string setting(const std::string& key) const;
    std::vector<platform::BoxRequest>& boxes() { return fakes.boxes.shown; }
    std::filesystem::path settings() const { return kit.path() / "Tessaly.ini"; }

    TempDir kit;
    TempDir game;
    TempDir sources;
    FakeServices fakes;
    Contents oldPictures;

private:
    std::unique_ptr<Main> main_;
};

platform::BoxRequest Box(const std::string& text, platform::BoxIcon icon,
                         platform::BoxButtons buttons = platform::BoxButtons::Ok);
platform::BoxRequest InstallComplete();
platform::BoxRequest ErrorCreating(const std::string& folder);

// The test run's home trash.
std::filesystem::path TrashFolder();

// Whether some folder of the test run's trash holds exactly `contents`.
bool InTrash(const Contents& contents);

// The bytes of every regular file below `places`, following symbolic links: all the places
// where a picture may have gone.
std::set<std::string> BytesBelow(const std::vector<std::filesystem::path>& places);

// The notes in the test run's trash whose entry is not there: what taking an entry out of the
// trash must not leave.
std::vector<std::string> StaleTrashNotes();

// Leaves the test run's trash empty, so that a check of it meets only what came after.
void EmptyTrash();
