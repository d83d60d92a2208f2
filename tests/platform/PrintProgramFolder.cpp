// Writes the program folder that the real service reports, byte for byte, so that a test can
// run a copy of this program from a folder of its choosing. The application object is there
// as in the programs themselves.
#include "platform/ApplicationFolder.h"

#include <QCoreApplication>
#include <iostream>

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    std::cout << platform::ApplicationFolder("any").path();
    return std::cout.good() ? 0 : 1;
}
