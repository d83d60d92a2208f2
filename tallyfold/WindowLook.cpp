#include "WindowLook.h"

#include "platform/WindowStyle.h"

namespace tallyfold {

namespace {

// Sizes are in logical pixels, which the toolkit scales on a dense screen. A focused control's
// frame is one pixel wider, taken from its padding, so that its caption does not move.
constexpr const char* Look = R"(
WINDOW > QPushButton {
    color: #1b2a40;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #ffffff, stop: 1 #e7edf6);
    border: 1px solid #a7b5ca;
    border-radius: 4px;
    padding: 0px 6px;
    outline: none;
}
WINDOW > QPushButton:hover {
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #ffffff, stop: 1 #d9e5f7);
    border-color: #5c87c9;
}
WINDOW > QPushButton:pressed {
    background: #c6d7f1;
    border-color: #2a5db0;
}
WINDOW > QPushButton:focus {
    border: 2px solid #2a5db0;
    padding: 0px 5px;
}
WINDOW > QLineEdit {
    background: #ffffff;
    border: 1px solid #a7b5ca;
    border-radius: 3px;
    padding: 0px 3px;
    selection-background-color: #3d7bd9;
}
WINDOW > QLineEdit:hover {
    border-color: #5c87c9;
}
WINDOW > QLineEdit:focus {
    border: 2px solid #2a5db0;
    padding: 0px 2px;
}
WINDOW > QRadioButton:focus {
    color: #163f86;
    background: #dde7f6;
    border-radius: 3px;
    outline: none;
}
)";

} // namespace

void DressControls(QWidget& window) {
    StyleOwnControls(window, Look);
}

} // namespace tallyfold
