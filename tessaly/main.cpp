#include "tessaly/Main.h"

#include "platform/ApplicationFolder.h"
#include "platform/DetachedLauncher.h"
#include "platform/MountDrives.h"
#include "platform/QtItemChooser.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtSoundPlayer.h"
#include "platform/sound/SoundEffect.h"
#include "tessaly/common/KitFiles.h"

#include <QApplication>
#include <filesystem>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::ApplicationFolder programFolder(kit::HelpFile);
    platform::QtMessageBoxes boxes;
    platform::QtSoundPlayer sound(std::filesystem::path(programFolder.path()) /
                                  platform::SoundModuleName);
    platform::MountDrives drives;
    platform::QtItemChooser chooser;
    platform::DetachedLauncher launcher;

    Main window({boxes, sound, drives, chooser, launcher, programFolder});
    window.Form_Load();
    if (window.isUnloaded())
        return 0;
    window.show();
    return QApplication::exec();
}
