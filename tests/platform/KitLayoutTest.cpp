#include "platform/KitLayout.h"

#include "platform/ApplicationFolder.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <set>

namespace fs = std::filesystem;
using platform::KitFolder;
using platform::SettingsFolder;
using platform::UserFolders;

namespace {

// A file system made of the named paths, so that each layout is one line of a table.
platform::PathTest Holding(std::set<fs::path> paths) {
    return [paths = std::move(paths)](const fs::path& path) { return paths.contains(path); };
}

TEST(KitFolder, IsTheProgramFolderWhenItHoldsTheKitElseTheSharedFolderBesideBin) {
    struct Case {
        const char* layout;
        fs::path program;
        std::set<fs::path> files;
        fs::path kit;
    };
    const Case cases[] = {
        {"the build",
         "/src/build/tessaly",
         {"/src/build/tessaly/Tessaly.txt"},
         "/src/build/tessaly"},
        {"installed", "/usr/bin", {"/usr/share/tessaly/Tessaly.txt"}, "/usr/share/tessaly"},
        {"installed per user", "/home/me/.local/bin", {}, "/home/me/.local/share/tessaly"},
        {"an installed folder holding a stray file of another name",
         "/opt/x/bin",
         {"/opt/x/bin/tessaly.txt"},
         "/opt/x/share/tessaly"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KitFolder(c.program, "Tessaly.txt", Holding(c.files)), c.kit) << c.layout;
}

TEST(ModuleFolder, IsTheProgramFolderOfAPortableKitElseThePrivateLibraryFolderBesideBin) {
    EXPECT_EQ(platform::ModuleFolder("/media/stick/tessaly", true), "/media/stick/tessaly");
    EXPECT_EQ(platform::ModuleFolder("/usr/bin", false), "/usr/lib/tessaly");
    EXPECT_EQ(platform::ModuleFolder("/home/me/.local/bin", false), "/home/me/.local/lib/tessaly");
}

TEST(SettingsFolder, StaysBesideAWritablePortableKitElseGoesToTheUsersConfigFolder) {
    struct Case {
        const char* layout;
        bool portable;
        bool writable;
        UserFolders user;
        fs::path settings;
    };
    const Case cases[] = {
        {"a portable kit", true, true, {"/cfg", "/home/me"}, "/kit"},
        {"a portable kit on a read-only disk", true, false, {"/cfg", "/home/me"}, "/cfg/tessaly"},
        // Root may write to /usr/bin; an installed kit still keeps its settings per user.
        {"installed, writable by root", false, true, {"", "/root"}, "/root/.config/tessaly"},
        {"installed", false, false, {"", "/home/me"}, "/home/me/.config/tessaly"},
        {"installed, config home set",
         false,
         false,
         {"/home/me/cfg", "/home/me"},
         "/home/me/cfg/tessaly"},
        {"installed, config home relative",
         false,
         false,
         {"cfg", "/home/me"},
         "/home/me/.config/tessaly"},
    };
    for (const Case& c : cases) {
        const auto writable = [&c](const fs::path& folder) {
            EXPECT_EQ(folder, "/kit") << c.layout;
            return c.writable;
        };
        EXPECT_EQ(SettingsFolder("/kit", c.portable, c.user, writable), c.settings) << c.layout;
    }
}

// Sets an environment variable for the life of this object.
class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~EnvironmentVariable() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(ApplicationFolder, KeepsTheSettingsBesideAPortableKitAndMakesTheUsersFolderOtherwise) {
    const TempDir config;
    const EnvironmentVariable home("XDG_CONFIG_HOME", config.str());
    // This test program lies in a writable folder, like a kit a user unpacked.
    const std::string ownName =
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    const platform::ApplicationFolder portable(fs::path(ownName).filename());
    EXPECT_EQ(portable.kitFolder(), portable.path());
    EXPECT_EQ(portable.settingsFolder(), portable.path());
    EXPECT_EQ(portable.moduleFolder(), portable.path());

    const platform::ApplicationFolder installed("a file no kit beside the tests holds");
    EXPECT_NE(installed.kitFolder(), installed.path());
    EXPECT_FALSE(fs::exists(config.path() / "tessaly"));
    EXPECT_EQ(installed.settingsFolder(), (config.path() / "tessaly").native());
    EXPECT_TRUE(fs::is_directory(config.path() / "tessaly"));
}

} // namespace
