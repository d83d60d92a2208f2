#include "DriveListBox.h"

#include "platform/DrivePlaces.h"
#include "tessaly/common/CharacterKey.h"
#include "tessaly/common/ShownName.h"

#include <QKeyEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <stdexcept>

namespace {

constexpr int RootRole = Qt::UserRole;
// The whole path, which the entry also shows as its tooltip.
constexpr int FullTextRole = Qt::ToolTipRole;
constexpr int MostBoxWidths = 3;

} // namespace

DriveListBox::DriveListBox(const platform::DriveRoots& drives, QWidget* parent)
    : QComboBox(parent), places_(platform::UserDrivePlaces(drives.drives())) {
    for (const platform::Drive& place : places_) {
        addItem(ShownName(place.root), QByteArray::fromStdString(place.root));
        setItemData(count() - 1, itemText(count() - 1), FullTextRole);
    }
    connect(this, &QComboBox::currentIndexChanged, this, &DriveListBox::driveChanged);
}

std::string DriveListBox::drive() const {
    return currentData(RootRole).toByteArray().toStdString();
}

void DriveListBox::setDrive(const std::string& text) {
    const int index = findData(QByteArray::fromStdString(text), RootRole, Qt::MatchExactly);
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

// As the combo box paints itself, but with the current path shortened in the middle rather than
// cut off at its end, so that both its start and its last folder stay in view.
void DriveListBox::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    option.currentText = fontMetrics().elidedText(currentData(FullTextRole).toString(),
                                                  Qt::ElideMiddle, field.width());
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

// The drop-down grows to its widest entry; entries are shortened so that it stays within a
// few widths of the box, never across the screen.
void DriveListBox::resizeEvent(QResizeEvent* event) {
    QComboBox::resizeEvent(event);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const int arrowAndMargins =
        style()->sizeFromContents(QStyle::CT_ComboBox, &option, {}, this).width();
    const int room = MostBoxWidths * width() - arrowAndMargins;
    for (int i = 0; i < count(); ++i)
        setItemText(i, fontMetrics().elidedText(itemData(i, FullTextRole).toString(),
                                                Qt::ElideMiddle, room));
}
