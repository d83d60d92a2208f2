#include "CharacterKey.h"

#include <QKeyEvent>

std::optional<int> CharacterCode(const QKeyEvent& event) {
    // Keys whose code is fixed, whatever text the platform attaches to the event.
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return std::nullopt;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return '\r';
    case Qt::Key_Backspace:
        return '\b';
    case Qt::Key_Escape:
        return 0x1b;
    case Qt::Key_Space:
        return ' ';
    default:
        break;
    }
    const QList<uint> text = event.text().toUcs4();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return static_cast<int>(text.front());
}
