// One main for every test program: windows are drawn offscreen, and the home, the trash that
// file operations fill, the journals and the game launchers' records that the game search reads
// are temporary ones of the test run's, never the developer's.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const auto data =
        std::filesystem::temp_directory_path() / ("tessaly-test-data-" + std::to_string(getpid()));
    // The trash of the home's own file system is the home trash: the home must exist on the
    // temporary folder's file system, or trashed test files would go to a trash at its top.
    std::filesystem::create_directories(data / "home");
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    setenv("XDG_STATE_HOME", (data / "state").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (data / "config").c_str(), 1);
    setenv("HOME", (data / "home").c_str(), 1);
    unsetenv("WINEPREFIX");
    std::filesystem::permissions(data, std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", data.c_str(), 0);

    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(data, ignored);
    return result;
}
