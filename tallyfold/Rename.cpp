#include "Rename.h"

Rename::Rename(QWidget* parent) : QWidget(parent) {
    setObjectName("Rename");
    setWindowTitle("Tallyfold");
}
