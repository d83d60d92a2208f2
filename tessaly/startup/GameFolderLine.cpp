#include "GameFolderLine.h"

#include "tessaly/Main.h"

#include <QFile>
#include <QFontMetrics>
#include <QLabel>

namespace {

QString GameFolderPath(const std::string& folder) {
    const bool trailingSlash = folder.size() > 1 && folder.ends_with('/');
    return QFile::decodeName(
        QByteArray::fromStdString(trailingSlash ? folder.substr(0, folder.size() - 1) : folder));
}

} // namespace

QString GameFolderLine(const std::string& folder, const QFontMetrics& metrics, int width) {
    const QString caption = "Game folder: ";
    const int room = width - metrics.horizontalAdvance(caption);
    return caption + metrics.elidedText(GameFolderPath(folder), Qt::ElideMiddle, room);
}

void Main::showGameFolder() {
    lblGameFolder->setText(GameFolderLine(Ironvaledirectory, lblGameFolder->fontMetrics(),
                                          lblGameFolder->contentsRect().width()));
    lblGameFolder->setToolTip(GameFolderPath(Ironvaledirectory));
}
