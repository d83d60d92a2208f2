#pragma once

#include <QListView>
#include <string>

class NameListModel;

// The file list: the plain files of one folder whose names match the pattern, hidden files
// left out, sorted by upper-cased name. The folder is read in one pass and handed to the
// view whole, so even 100,000 files show at once without freezing the window.
class FileListBox : public QListView {
    Q_OBJECT

public:
    explicit FileListBox(QWidget* parent = nullptr);

    // "" and an empty list before the first setPath.
    std::string path() const { return path_; }
    // Lists the folder with the current pattern. std::runtime_error when it cannot be listed;
    // the list then keeps its folder and contents.
    void setPath(const std::string& path);
    // ";"-separated wildcard patterns, matched without regard to ASCII case; "*.*" to start
    // with. Refreshes the list: a folder that can no longer be read shows no files.
    void setPattern(const std::string& pattern);
    // The selected file's name alone, as its bytes; "" when none is selected.
    std::string fileName() const;

signals:
    // The user selected another file, by mouse or keyboard (not by a refresh).
    void selectionChanged();
    void doubleClicked();
    // A character key was pressed here; reported before the list's own keyboard search.
    void characterKey(int code);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showNames(std::vector<std::string> names);

    NameListModel* model_;
    std::string path_;
    std::string pattern_ = "*.*";
    bool refreshing_ = false;
};
