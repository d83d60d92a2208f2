#include "MainWindowFixture.h"

#include "ListViews.h"
#include "tessaly/selection/ClickLabel.h"
#include "tessaly/selection/FileListBox.h"
#include "tessaly/selection/PathListBox.h"

#include <QTest>

MainWindowTest::MainWindowTest()
    : pictures(disks.folder("pictures").string()), unreachableDrive(disks.folder("usb").string()) {
    fakes.programFolder.folder = kit.str();
    fakes.drives.list = {{"/", platform::DriveKind::Fixed},
                         {unreachableDrive, platform::DriveKind::Removable}};
    kit.file("Tessaly.ini", "[Ironvale]\nDirectory=/games/ironvale\n[Browse For File]\n"
                            "DefaultDrive=/\nDefaultDirectory=" +
                                pictures + "\n");
}

Main& MainWindowTest::window() {
    if (!main_) {
        main_ = std::make_unique<Main>(fakes.services());
        // The stick is pulled out once the drive list has been read.
        std::filesystem::remove(unreachableDrive);
        main_->Form_Load();
        main_->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
        fakes.sound.played.clear();
    }
    return *main_;
}

std::string MainWindowTest::file(const std::string& relative, const std::string& content) const {
    return disks.file("pictures/" + relative, content).string();
}

std::string MainWindowTest::gif(const std::string& relative, int armpatch) const {
    const std::string source =
        std::string(TESSALY_KIT_DIR) + "/armpatch/armpatch" + std::to_string(armpatch) + ".gif";
    return file(relative, ReadBytes(source));
}

QImage MainWindowTest::Picture(const std::string& path) {
    return QImage::fromData(QByteArray::fromStdString(ReadBytes(path)))
        .convertToFormat(QImage::Format_ARGB32);
}

QImage MainWindowTest::shownPicture() {
    return window().FileImage->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

int MainWindowTest::fileRow(const std::string& name) {
    const int row = RowOf(*window().FileList, name);
    EXPECT_LT(row, window().FileList->model()->rowCount()) << name << " is not in the file list";
    return row;
}

void MainWindowTest::selectFile(const std::string& name) {
    Click(*window().FileList, fileRow(name));
}

std::vector<std::string> MainWindowTest::entries() {
    return window().LstFiles->paths();
}

void MainWindowTest::restoreEntries(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        window().LstFiles->insertPath(window().LstFiles->count(), path);
        ++window().cntr;
    }
}

platform::BoxRequest AlreadyInList(const std::string& path) {
    return {"Tessaly", "File '" + path + "' is already in list.", platform::BoxIcon::Warning,
            platform::BoxButtons::Ok};
}

platform::BoxRequest ListFull() {
    return {"Tessaly", "Ironvale supports only 20 armpatch files", platform::BoxIcon::Information,
            platform::BoxButtons::Ok};
}
