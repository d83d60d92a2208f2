#pragma once

#include <QListView>
#include <string>

class NameListModel;

// The folder list: the current folder's chain from "/" down, each one indented a step more,
// then the current folder's sub-folders one step further in. The current folder is selected.
// Double click or Enter opens an entry.
class DirListBox : public QListView {
    Q_OBJECT

public:
    explicit DirListBox(QWidget* parent = nullptr);

    // The current folder, absolute, ending in "/" only at the root; "" before the first setPath.
    std::string path() const { return path_; }
    // Lists `path` and makes it current. A relative path counts from the working folder; "."
    // and ".." are resolved by name. std::runtime_error when it cannot be listed, and the list
    // keeps its folder.
    void setPath(const std::string& path);

signals:
    // The current folder changed, by the user or by setPath.
    void pathChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class RowDelegate;

    void open(const QModelIndex& index);
    std::string pathOfRow(int row) const;

    NameListModel* model_;
    RowDelegate* delegate_;
    std::string path_;
};
