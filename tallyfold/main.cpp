#include "platform/ApplicationFolder.h"
#include "platform/CommandLine.h"
#include "platform/QtItemChooser.h"
#include "platform/QtMessageBoxes.h"
#include "tallyfold/Arguments.h"
#include "tallyfold/Rename.h"
#include "tallyfold/UndoBatch.h"
#include "tallyfold/WindowPointer.h"

#include <QApplication>
#include <iostream>

int main(int argc, char* argv[]) {
    QApplication::setApplicationName("tallyfold");
    QApplication::setApplicationVersion(TESSALY_VERSION);
    QApplication::setDesktopFileName(DESKTOP_ENTRY);
    const tallyfold::Start start =
        tallyfold::ReadArguments(platform::ArgumentsOf(argc, argv), std::cout, std::cerr);
    if (start.exitStatus)
        return *start.exitStatus;
    if (start.undo)
        return tallyfold::UndoOnCommandLine(start.folder, std::cout, std::cerr);

    QApplication app(argc, argv);
    platform::QtMessageBoxes boxes;
    platform::QtItemChooser chooser;
    tallyfold::WindowPointer pointer;
    platform::ApplicationFolder programFolder(KitBanner);

    Rename window({boxes, chooser, pointer, programFolder});
    window.Form_Load();
    if (!start.folder.empty())
        window.chooseFolder(start.folder);
    window.show();
    return QApplication::exec();
}
