#include "StartupFixture.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

ShownWindows::ShownWindows() {
    qApp->installEventFilter(this);
}

ShownWindows::~ShownWindows() {
    qApp->removeEventFilter(this);
}

bool ShownWindows::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show)
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->isWindow())
            names << widget->objectName();
    return false;
}

StartupTest::StartupTest() {
    fakes.programFolder.folder = kit.str();
}

std::string StartupTest::installGameOn(const std::string& drive, const std::string& folder) {
    const auto exe = disks.file(drive + "/" + folder + "/Ironvale.exe", "MZ");
    return exe.parent_path().string();
}

platform::Drive& StartupTest::addDrive(const std::string& name, platform::DriveKind kind) {
    fakes.drives.list.push_back({disks.folder(name).string(), kind});
    return fakes.drives.list.back();
}

Main& StartupTest::window() {
    if (!main_)
        main_ = std::make_unique<Main>(fakes.services());
    return *main_;
}

platform::BoxRequest CouldNotFindQuestion() {
    return {"Tessaly",
            "Tessaly could not find Ironvale Installed.  Please locate and select Ironvale.exe",
            platform::BoxIcon::None, platform::BoxButtons::OkCancel};
}

platform::BoxRequest PleaseFindQuestion() {
    return {"Tessaly", "Please Find and Select Ironvale.exe", platform::BoxIcon::None,
            platform::BoxButtons::OkCancel};
}

platform::BoxRequest Goodbye() {
    return {"Tessaly", "This application requires Ironvale installed.  Setup Cancelled, Goodbye",
            platform::BoxIcon::Warning, platform::BoxButtons::Ok};
}
