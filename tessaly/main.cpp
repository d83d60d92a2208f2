#include "platform/ApplicationFolder.h"
#include "platform/DetachedLauncher.h"
#include "platform/MountDrives.h"
#include "platform/QtItemChooser.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtSoundPlayer.h"
#include "tessaly/selection/Main.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::QtMessageBoxes boxes;
    platform::QtSoundPlayer sound;
    platform::MountDrives drives;
    platform::QtItemChooser chooser;
    platform::DetachedLauncher launcher;
    platform::ApplicationFolder programFolder;

    Main window({boxes, sound, drives, chooser, launcher, programFolder});
    window.Form_Load();
    if (window.isUnloaded())
        return 0;
    window.show();
    return QApplication::exec();
}
