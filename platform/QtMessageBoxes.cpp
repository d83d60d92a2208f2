#include "QtMessageBoxes.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>

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

// Closing the box by its window frame or Escape counts as its negative button.
BoxAnswer FromQt(int clicked, BoxButtons buttons) {
    if (buttons == BoxButtons::YesNo)
        return clicked == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
    return clicked == QMessageBox::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
}

} // namespace

BoxAnswer QtMessageBoxes::show(const BoxRequest& request) {
    const auto buttons = ToQt(request.buttons);
    // Texts may carry file names that are not valid UTF-8: decode them as file names do.
    QMessageBox box(ToQt(request.icon), QString::fromUtf8(request.title),
                    QFile::decodeName(QByteArray::fromStdString(request.text)), buttons,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(request.buttons == BoxButtons::YesNo ? QMessageBox::Yes : QMessageBox::Ok);
    return FromQt(box.exec(), request.buttons);
}

} // namespace platform
