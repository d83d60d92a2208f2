#pragma once

#include "support/FakeServices.h"
#include "support/TempDir.h"
#include "tessaly/Main.h"

#include <QImage>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// A main window over fake services, started as the program starts it and shown offscreen.
// Its browser opens at the folder "pictures" of a drive made of a temporary folder, with the
// starting type filter "*.ivb"; the drive list also holds a removable drive that no longer
// opens. Tests lay out their files before the first call of window().
class MainWindowTest : public testing::Test {
protected:
    MainWindowTest();

    Main& window();
    // A file in the pictures folder (or below it); its full path.
    std::string file(const std::string& relative, const std::string& content = {}) const;
    // A copy of one of the kit's sixteen distinct armpatch pictures; its full path.
    std::string gif(const std::string& relative, int armpatch) const;
    // The picture as the preview box would show it, for comparing by content.
    static QImage Picture(const std::string& path);
    QImage shownPicture();

    int fileRow(const std::string& name);
    void selectFile(const std::string& name);
    std::vector<std::string> entries();
    // Puts entries into the installation list as start-up restores them.
    void restoreEntries(const std::vector<std::string>& paths);
    std::vector<platform::BoxRequest>& boxes() { return fakes.boxes.shown; }
    std::filesystem::path settings() const { return kit.path() / "Tessaly.ini"; }

    TempDir kit;
    TempDir disks;
    FakeServices fakes;
    std::string pictures;
    std::string unreachableDrive;

private:
    std::unique_ptr<Main> main_;
};

platform::BoxRequest AlreadyInList(const std::string& path);
platform::BoxRequest ListFull();
