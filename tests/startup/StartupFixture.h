#pragma once

#include "support/FakeServices.h"
#include "support/TempDir.h"
#include "tessaly/Main.h"

#include <QObject>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// Remembers the name of every window that is shown while it lives.
class ShownWindows : public QObject {
public:
    ShownWindows();
    ~ShownWindows() override;
    QStringList names;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// A kit folder, drives made of temporary folders, and a main window over fake services.
class StartupTest : public testing::Test {
protected:
    StartupTest();

    std::filesystem::path settings() const { return kit.path() / "Tessaly.ini"; }
    void writeSettings(const std::string& text) const { kit.file("Tessaly.ini", text); }
    // Puts the game's executable below a drive made of a temporary folder.
    std::string installGameOn(const std::string& drive, const std::string& folder);
    platform::Drive& addDrive(const std::string& name, platform::DriveKind kind);
    Main& window();
    std::vector<platform::BoxRequest>& boxes() { return fakes.boxes.shown; }

    TempDir kit;
    TempDir disks;
    FakeServices fakes;
    std::unique_ptr<Main> main_;
};

platform::BoxRequest CouldNotFindQuestion();
platform::BoxRequest PleaseFindQuestion();
platform::BoxRequest Goodbye();
