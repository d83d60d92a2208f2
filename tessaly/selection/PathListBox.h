#pragma once

#include <QListWidget>
#include <string>
#include <vector>

// A plain list of full paths. Each entry keeps its path's bytes as they came from the disk;
// only the shown text is decoded, so a name that is not valid UTF-8 survives unchanged. A path
// too long for the list is shortened in its middle, so that its file name stays in view, and
// shows whole as the entry's tooltip.
class PathListBox : public QListWidget {
    Q_OBJECT

public:
    explicit PathListBox(QWidget* parent = nullptr);

    void insertPath(int row, const std::string& path);
    // Takes the entry out; afterwards no entry is selected, not even the one that moved up.
    void removePath(int row);
    // Takes every entry out without reporting a selection change: the preview stays as it was.
    void clearPaths();
    // "" for a row that does not exist.
    std::string path(int row) const;
    std::vector<std::string> paths() const;
    // -1 when no entry is selected.
    int selectedRow() const;
    // The first visible row, where the user is looking; 0 for an empty or unscrolled list.
    int topRow() const;

signals:
    // The user selected another entry, by mouse or keyboard (not by an insert or a removal).
    void selectionChanged();
    // A character key was pressed here. The key is spent on that: the list does not go on to
    // select an entry by its first letter, which would undo the "nothing selected" that a
    // removal by key leaves behind.
    void characterKey(int code);
    // Delete was pressed here.
    void deleteKey();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool changing_ = false;
};
