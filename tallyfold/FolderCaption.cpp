#include "FolderCaption.h"

#include <QFile>
#include <QPainter>
#include <QStyle>

FolderCaption::FolderCaption(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
}

void FolderCaption::setFolder(const std::string& folder) {
    folder_ = folder;
    setText(QFile::decodeName(QByteArray::fromStdString(folder)));
}

void FolderCaption::paintEvent(QPaintEvent*) {
    constexpr int flags = Qt::AlignCenter | Qt::TextWrapAnywhere;
    const QRect box = contentsRect();
    const QFontMetrics metrics(font());
    QString shown = text();
    int room = box.width() * std::max(1, box.height() / metrics.lineSpacing());
    while (room > 0 && metrics.boundingRect(box, flags, shown).height() > box.height()) {
        room -= metrics.averageCharWidth();
        shown = metrics.elidedText(text(), Qt::ElideMiddle, room);
    }
    QPainter painter(this);
    style()->drawItemText(&painter, box, flags, palette(), isEnabled(), shown, foregroundRole());
}
