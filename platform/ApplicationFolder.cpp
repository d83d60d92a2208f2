#include "ApplicationFolder.h"

#include <QCoreApplication>
#include <QFile>

namespace platform {

std::string ApplicationFolder::path() const {
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

} // namespace platform
