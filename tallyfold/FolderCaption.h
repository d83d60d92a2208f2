#pragma once

#include <QLabel>
#include <string>

// The chosen folder under the folder choice: the path's bytes as the dialog gave them, shown
// centred and decoded as file names are. A long path wraps at any character and, when even
// that is too long, loses its middle rather than its end, where the folder's own name is.
class FolderCaption : public QLabel {
    Q_OBJECT

public:
    explicit FolderCaption(QWidget* parent = nullptr);

    const std::string& folder() const { return folder_; }
    void setFolder(const std::string& folder);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string folder_;
};
