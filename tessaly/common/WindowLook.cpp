#include "WindowLook.h"

#include "platform/WindowStyle.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// Black and the logo's gold. Sizes are in logical pixels, which the toolkit scales on a dense
// screen, so that every edge stays sharp.
constexpr const char* Look = R"(
WINDOW > QPushButton {
    color: #efe4c6;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #2c2f38, stop: 1 #17191f);
    border: 1px solid #5e4b1f;
    border-radius: 4px;
    padding: 0px 2px;
    outline: none;
}
WINDOW > QPushButton:hover {
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #3a3d47, stop: 1 #1f2229);
    border-color: #b8923e;
}
WINDOW > QPushButton:focus {
    color: #ffe7a3;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #3d3522, stop: 1 #1f1b12);
    border: 1px solid #f0c850;
}
WINDOW > QPushButton:pressed {
    color: #16130b;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #e6c15e, stop: 1 #b48a32);
    border-color: #f0c850;
}
WINDOW > QPushButton:disabled {
    color: #6d675a;
    border-color: #33302a;
}

WINDOW > QListView, WINDOW > QComboBox QAbstractItemView {
    color: #e9e3d3;
    background: #0e1015;
    border: 1px solid #3b3322;
    border-radius: 3px;
}
WINDOW > QListView:focus {
    border-color: #f0c850;
}
WINDOW > QListView::item {
    border: 1px solid transparent;
}
WINDOW > QListView::item:focus {
    border-color: #fff0b8;
}
WINDOW > QListView::item:hover {
    background: #1d2029;
}
WINDOW > QListView::item:selected {
    color: #f3e9cd;
    background: #4a3b17;
}
WINDOW > QListView::item:selected:focus {
    color: #16130b;
    background: #e0b955;
}
WINDOW > QComboBox QAbstractItemView {
    selection-color: #16130b;
    selection-background-color: #e0b955;
}

WINDOW > QComboBox {
    color: #efe4c6;
    selection-color: #16130b;
    selection-background-color: #e0b955;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #2c2f38, stop: 1 #17191f);
    border: 1px solid #5e4b1f;
    border-radius: 3px;
    padding: 0px 4px;
}
WINDOW > QComboBox:hover {
    border-color: #b8923e;
}
WINDOW > QComboBox:focus {
    border-color: #f0c850;
}
WINDOW > QComboBox::drop-down {
    border: none;
    width: 18px;
}
WINDOW > QComboBox::down-arrow {
    image: url(:/look/down-arrow.png);
}

WINDOW > QListView QScrollBar {
    background: #0e1015;
    border: none;
    margin: 0px;
}
WINDOW > QListView QScrollBar:vertical {
    width: 10px;
}
WINDOW > QListView QScrollBar:horizontal {
    height: 10px;
}
WINDOW > QListView QScrollBar::handle {
    background: #4f4427;
    border-radius: 3px;
    margin: 2px;
}
WINDOW > QListView QScrollBar::handle:vertical {
    min-height: 20px;
}
WINDOW > QListView QScrollBar::handle:horizontal {
    min-width: 20px;
}
WINDOW > QListView QScrollBar::handle:hover {
    background: #a7843a;
}
WINDOW > QListView QScrollBar::handle:pressed {
    background: #e0b955;
}
WINDOW > QListView QScrollBar::add-line, WINDOW > QListView QScrollBar::sub-line {
    width: 0px;
    height: 0px;
    border: none;
}
WINDOW > QListView QScrollBar::add-page, WINDOW > QListView QScrollBar::sub-page {
    background: none;
}
WINDOW > QListView::corner {
    background: #0e1015;
}

WINDOW > QMenu {
    color: #efe4c6;
    background: #17191f;
    border: 1px solid #5e4b1f;
    padding: 3px;
}
WINDOW > QMenu::item {
    padding: 4px 24px 4px 14px;
    border-radius: 3px;
}
WINDOW > QMenu::item:selected {
    color: #16130b;
    background: #e0b955;
}
WINDOW > QMenu::item:disabled {
    color: #6d675a;
}
WINDOW > QMenu::separator {
    height: 1px;
    background: #3b3322;
    margin: 3px 6px;
}

WINDOW > QLabel {
    color: #d9cfb4;
}
WINDOW > #FileImage {
    background: #0e1015;
    border: 1px solid #3b3322;
    border-radius: 3px;
}
)";

} // namespace

void PaintBlack(QWidget& window) {
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::black);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

void DressControls(QWidget& window) {
    StyleOwnControls(window, Look);
}
