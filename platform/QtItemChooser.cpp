#include "QtItemChooser.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <filesystem>

namespace platform {

namespace {

QString FromBytes(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A dialog hands back a QString, in which the bytes of a name that is not UTF-8 have been
// replaced; encoded again, such a path names nothing on disk, and is refused rather than used
// in its changed form.
ItemPick Pick(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return ItemPick::cancelled();
    std::string path = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error)))
        return ItemPick::nameLost(std::move(path));
    return ItemPick::chosen(std::move(path));
}

} // namespace

ItemPick QtItemChooser::chooseItem(const std::string& prompt, const std::string& nameFilter) {
    // Any existing file or folder may be picked; the caller judges the pick.
    QFileDialog dialog(QApplication::activeWindow(), FromBytes(prompt), QDir::homePath());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontResolveSymlinks);
    dialog.setNameFilters({FromBytes(nameFilter), "All Files (*)"});
    return Pick(dialog);
}

ItemPick QtItemChooser::chooseFolder(const std::string& prompt) {
    QFileDialog dialog(QApplication::activeWindow(), FromBytes(prompt));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return Pick(dialog);
}

} // namespace platform
