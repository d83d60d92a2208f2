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
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

BoxAnswer QtMessageBoxes::show(const BoxRequest& request) {
    const auto buttons = request.buttons == BoxButtons::OkCancel
                             ? QMessageBox::Ok | QMessageBox::Cancel
                             : QMessageBox::StandardButtons(QMessageBox::Ok);
    // Texts may carry file names that are not valid UTF-8: decode them as file names do.
    QMessageBox box(ToQt(request.icon), QString::fromUtf8(request.title),
                    QFile::decodeName(QByteArray::fromStdString(request.text)), buttons,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
}

} // namespace platform
