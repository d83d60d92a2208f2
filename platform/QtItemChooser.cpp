#include "QtItemChooser.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>

namespace platform {

namespace {

QString FromBytes(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string PathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

std::string Pick(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return PathBytes(dialog.selectedFiles().constFirst());
}

} // namespace

std::string QtItemChooser::chooseItem(const std::string& prompt) {
    // Any existing file or folder may be picked; the caller judges the pick.
    QFileDialog dialog(QApplication::activeWindow(), FromBytes(prompt));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontResolveSymlinks);
    return Pick(dialog);
}

std::string QtItemChooser::chooseFolder(const std::string& prompt) {
    QFileDialog dialog(QApplication::activeWindow(), FromBytes(prompt));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return Pick(dialog);
}

} // namespace platform
