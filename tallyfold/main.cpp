#include "tallyfold/Rename.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Rename window;
    window.show();
    return QApplication::exec();
}
