#pragma once

#include <QListWidget>
#include <string>

// A plain list of full paths. Each entry keeps its path's bytes as they came from the disk;
// only the shown text is decoded, so a name that is not valid UTF-8 survives unchanged.
class PathListBox : public QListWidget {
    Q_OBJECT

public:
    explicit PathListBox(QWidget* parent = nullptr);

    void insertPath(int row, const std::string& path);
    std::string path(int row) const;
};
