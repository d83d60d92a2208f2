#include "platform/ApplicationFolder.h"
#include "platform/QtItemChooser.h"
#include "platform/QtMessageBoxes.h"
#include "tallyfold/Rename.h"
#include "tallyfold/WindowPointer.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::QtMessageBoxes boxes;
    platform::QtItemChooser chooser;
    tallyfold::WindowPointer pointer;
    platform::ApplicationFolder programFolder(KitBanner);

    Rename window({boxes, chooser, pointer, programFolder});
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
