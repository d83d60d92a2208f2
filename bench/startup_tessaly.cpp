// Tessaly's main window with the real services over the kit folder named on the command line,
// started as the program starts it, shown and painted once.
#include "FirstPaint.h"
#include "platform/DetachedLauncher.h"
#include "platform/MountDrives.h"
#include "platform/QtItemChooser.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtSoundPlayer.h"
#include "tessaly/Main.h"

#include <QApplication>
#include <cstdio>

namespace {

class KitFolder : public platform::ProgramFolder {
public:
    explicit KitFolder(std::string folder) : folder_(std::move(folder)) {}
    std::string path() const override { return folder_; }

private:
    std::string folder_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: startup_tessaly KIT_FOLDER\n");
        return 2;
    }
    platform::QtMessageBoxes boxes;
    platform::QtSoundPlayer sound(TESSALY_SOUND_MODULE);
    platform::MountDrives drives;
    platform::QtItemChooser chooser;
    platform::DetachedLauncher launcher;
    KitFolder kit(argv[1]);

    Main window({boxes, sound, drives, chooser, launcher, kit});
    window.Form_Load();
    QuitAfterFirstPaint quit;
    window.installEventFilter(&quit);
    window.show();
    return QApplication::exec();
}
