#include "DriveListBox.h"

#include "CharacterKey.h"
#include "tessaly/common/ShownName.h"

#include <QKeyEvent>
#include <stdexcept>

namespace {
constexpr int rootRole = Qt::UserRole;
}

DriveListBox::DriveListBox(const platform::DriveRoots& drives, QWidget* parent)
    : QComboBox(parent) {
    for (const platform::Drive& drive : drives.drives()) {
        // The kernel's own file systems (proc, sys, cgroups, devices) hold no pictures.
        if (drive.kind == platform::DriveKind::Pseudo)
            continue;
        addItem(ShownName(drive.root), QByteArray::fromStdString(drive.root));
    }
    connect(this, &QComboBox::currentIndexChanged, this, &DriveListBox::driveChanged);
}

std::string DriveListBox::drive() const {
    return currentData(rootRole).toByteArray().toStdString();
}

void DriveListBox::setDrive(const std::string& text) {
    const int index = findData(QByteArray::fromStdString(text), rootRole, Qt::MatchExactly);
    if (index < 0) {
        throw std::runtime_error("No drive '" + text + "'");
    }
    setCurrentIndex(index);
}

void DriveListBox::keyPressEvent(QKeyEvent* event) {
    if (const auto code = CharacterCode(*event)) {
        emit characterKey(*code);
    }
    QComboBox::keyPressEvent(event);
}
