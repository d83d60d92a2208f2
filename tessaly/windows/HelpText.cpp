#include "HelpText.h"

#include "platform/AtomicFile.h"
#include "tessaly/common/ScreenReaderName.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QScrollBar>

namespace {

// Room for the help text's widest lines, and a screenful of them.
constexpr int Columns = 80;
constexpr int Lines = 32;
// Between the text and the window's edges, in pixels.
constexpr int Margin = 10;

} // namespace

HelpText::HelpText(const QString& text, QWidget& owner) : QPlainTextEdit(&owner) {
    setObjectName("Help");
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Tessaly Help");
    NameForScreenReaders(*this, "Tessaly help text");
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    document()->setDocumentMargin(Margin);
    setPlainText(text);

    const QFontMetrics metrics = fontMetrics();
    const int frame = 2 * frameWidth() + 2 * static_cast<int>(document()->documentMargin());
    resize(metrics.horizontalAdvance(QString(Columns, 'M')) + frame +
               verticalScrollBar()->sizeHint().width(),
           metrics.lineSpacing() * Lines + frame);
    move(owner.geometry().center() - rect().center());
}

void HelpText::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool ShowHelpText(QWidget& owner, const std::string& file) {
    auto* help = owner.findChild<HelpText*>(QString(), Qt::FindDirectChildrenOnly);
    if (!help || !help->isVisible()) {
        const std::optional<std::string> text = platform::ReadWholeFile(file);
        if (!text)
            return false;
        help = new HelpText(QString::fromStdString(*text), owner);
    }
    help->show();
    help->raise();
    help->activateWindow();
    return true;
}
