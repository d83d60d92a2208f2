#include "tessaly/Main.h"

#include "platform/ApplicationFolder.h"
#include "platform/CommandLine.h"
#include "platform/DetachedLauncher.h"
#include "platform/MountDrives.h"
#include "platform/QtItemChooser.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtSoundPlayer.h"
#include "platform/sound/SoundEffect.h"
#include "tessaly/common/KitFiles.h"

#include <QApplication>
#include <QCommandLineParser>
#include <filesystem>
#include <iostream>

int main(int argc, char* argv[]) {
    QApplication::setApplicationName("tessaly");
    QApplication::setApplicationVersion(TESSALY_VERSION);
    QApplication::setDesktopFileName(DESKTOP_ENTRY);
    QCommandLineParser parser;
    parser.setApplicationDescription("Installs armpatch pictures into Ironvale.");
    const platform::CommandLineRequest request = platform::ReadCommandLine(
        parser, 0, platform::ArgumentsOf(argc, argv), std::cout, std::cerr);
    if (request.exitStatus)
        return *request.exitStatus;

    QApplication app(argc, argv);
    platform::ApplicationFolder programFolder(kit::HelpFile);
    platform::QtMessageBoxes boxes;
    platform::QtSoundPlayer sound(std::filesystem::path(programFolder.moduleFolder()) /
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
