#include "DirListBox.h"

#include "FolderIcon.h"
#include "ListCorner.h"
#include "NameListModel.h"
#include "NameRowDelegate.h"
#include "platform/FolderListing.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace {

// The folders from the root down to `path`, "/" first. Resolved by name, as the list shows
// the way the user went rather than where links lead.
std::vector<std::string> Chain(const std::string& path) {
    if (path.empty()) {
        throw std::runtime_error("No folder given");
    }
    const std::string absolute =
        path.front() == '/' ? path : std::filesystem::current_path().native() + '/' + path;
    std::vector<std::string> chain{"/"};
    std::size_t start = 0;
    while (start <= absolute.size()) {
        const std::size_t end = std::min(absolute.find('/', start), absolute.size());
        const std::string part = absolute.substr(start, end - start);
        if (part == ".." && chain.size() > 1) {
            chain.pop_back();
        } else if (!part.empty() && part != "." && part != "..") {
            chain.push_back(part);
        }
        start = end + 1;
    }
    return chain;
}

// The path of the chain's first `count` folders.
std::string PathOf(const std::vector<std::string>& chain, std::size_t count) {
    std::string path;
    for (std::size_t i = 1; i < count; ++i) {
        path += '/' + chain[i];
    }
    return path.empty() ? "/" : path;
}

} // namespace

// Draws each row with the folder icon and indentation of its place in the tree.
class DirListBox::RowDelegate : public NameRowDelegate {
public:
    using NameRowDelegate::NameRowDelegate;

    int chainLength = 0;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented = option;
        indented.rect.setLeft(option.rect.left() + indentation(option, index.row()));
        NameRowDelegate::paint(painter, indented, index);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        NameRowDelegate::initStyleOption(option, index);
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->icon =
            FolderIcon(index.row() < chainLength ? FolderLook::Open : FolderLook::Closed);
    }

    int indentation(const QStyleOptionViewItem& option, int row) const override {
        // Half a line per level keeps a deep folder's name in view in the narrow list.
        return std::min(row, chainLength) * option.fontMetrics.height() / 2;
    }
};

DirListBox::DirListBox(QWidget* parent)
    : QListView(parent), model_(new NameListModel(this)), delegate_(new RowDelegate(this)) {
    setModel(model_);
    setItemDelegate(delegate_);
    setUniformItemSizes(true);
    // The folder icon fits a line of text, with a pixel to spare above and below.
    const int icon = fontMetrics().height() - 2;
    setIconSize({icon, icon});
    KeepDesktopCorner(*this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QAbstractItemView::doubleClicked, this, &DirListBox::open);
}

void DirListBox::setPath(const std::string& path) {
    std::vector<std::string> rows = Chain(path);
    const std::string folder = PathOf(rows, rows.size());
    std::vector<std::string> children = platform::ListFolders(folder);
    const int chainLength = static_cast<int>(rows.size());
    rows.insert(rows.end(), std::make_move_iterator(children.begin()),
                std::make_move_iterator(children.end()));
    delegate_->chainLength = chainLength;
    model_->setNames(std::move(rows));
    setCurrentIndex(model_->index(chainLength - 1));
    // The current folder in view with as many of its sub-folders as fit below it.
    scrollToBottom();
    scrollTo(currentIndex());
    if (folder != path_) {
        path_ = folder;
        emit pathChanged();
    }
}

void DirListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        open(currentIndex());
    } else {
        QListView::keyPressEvent(event);
    }
}

void DirListBox::open(const QModelIndex& index) {
    if (!index.isValid()) {
        return;
    }
    try {
        setPath(pathOfRow(index.row()));
    } catch (const std::runtime_error&) {
        // A folder the user may not enter: the list stays where it was, as a refused click.
        QApplication::beep();
    }
}

std::string DirListBox::pathOfRow(int row) const {
    const std::vector<std::string>& names = model_->names();
    if (row < delegate_->chainLength) {
        return PathOf(names, static_cast<std::size_t>(row) + 1);
    }
    const std::string& name = names[static_cast<std::size_t>(row)];
    return path_ == "/" ? path_ + name : path_ + '/' + name;
}
