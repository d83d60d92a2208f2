#pragma once

#include "platform/DriveRoots.h"

#include <QComboBox>
#include <string>
#include <vector>

// The drive list: one entry per place worth browsing (platform::UserDrivePlaces), shown as its
// path and kept as its bytes. The drives are read once, when the list is made; the first one
// starts current. A long path is shortened in the middle, in the box and in the drop-down,
// which stays within three times the box's width.
class DriveListBox : public QComboBox {
    Q_OBJECT

public:
    explicit DriveListBox(const platform::DriveRoots& drives, QWidget* parent = nullptr);

    // The drives listed, in their order.
    const std::vector<platform::Drive>& places() const { return places_; }
    // The current drive's root; "" when the machine reported no drive.
    std::string drive() const;
    // Makes the drive whose root is exactly `text` current. std::runtime_error when no drive
    // has it; the current drive then stays.
    void setDrive(const std::string& text);

signals:
    // The current drive changed, by the user or by setDrive.
    void driveChanged();
    // A character key was pressed here; reported before the list moves to a matching drive.
    void characterKey(int code);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::vector<platform::Drive> places_;
};
