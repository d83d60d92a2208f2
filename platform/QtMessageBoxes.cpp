#include "QtMessageBoxes.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTextDocument>
#include <QTextEdit>

namespace platform {

namespace {

QMessageBox::Icon ToQt(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::Warning:
        return QMessageBox::Warning;
    case BoxIcon::Critical:
        return QMessageBox::Critical;
    case BoxIcon::Question:
        return QMessageBox::Question;
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(BoxButtons buttons) {
    switch (buttons) {
    case BoxButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case BoxButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case BoxButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

BoxAnswer FromQt(int button, BoxButtons offered) {
    switch (button) {
    case QMessageBox::Ok:
        return BoxAnswer::Ok;
    case QMessageBox::Yes:
        return BoxAnswer::Yes;
    default:
        return offered == BoxButtons::YesNo ? BoxAnswer::No : BoxAnswer::Cancel;
    }
}

// Texts may carry file names that are not valid UTF-8: decode them as file names do.
QString Decoded(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

// Ctrl+C copies the box's title and text, so that a message naming a path or an error can be
// pasted elsewhere; the text itself cannot be selected. With the details open, Ctrl+C copies
// their selection instead.
class CopyableBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Copy) && !detailsShown()) {
            QGuiApplication::clipboard()->setText(windowTitle() + "\n\n" + text() + "\n");
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

private:
    bool detailsShown() const {
        const auto* details = findChild<QTextEdit*>();
        return details != nullptr && details->isVisible();
    }
};

// Qt leaves the details room for some six lines; a list of renames is read better with more.
constexpr int kDetailLines = 15;

void ShowDetails(QMessageBox& box, const QString& details) {
    box.setDetailedText(details);
    if (auto* text = box.findChild<QTextEdit*>()) {
        const auto margin = static_cast<int>(text->document()->documentMargin());
        text->setFixedHeight(kDetailLines * text->fontMetrics().lineSpacing() +
                             2 * (margin + text->frameWidth()));
    }
}

} // namespace

BoxAnswer QtMessageBoxes::show(const BoxRequest& request) {
    CopyableBox box(ToQt(request.icon), QString::fromUtf8(request.title), Decoded(request.text),
                    ToQt(request.buttons), QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    // The first button is the default one, as the classic boxes have it.
    box.setDefaultButton(request.buttons == BoxButtons::YesNo ? QMessageBox::Yes : QMessageBox::Ok);
    if (!request.details.empty())
        ShowDetails(box, Decoded(request.details));
    return FromQt(box.exec(), request.buttons);
}

} // namespace platform
