#include "DetachedLauncher.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

namespace platform {

bool DetachedLauncher::startDetached(const std::string& program,
                                     const std::vector<std::string>& arguments) {
    QStringList args;
    for (const auto& argument : arguments)
        args << QFile::decodeName(QByteArray::fromStdString(argument));
    return QProcess::startDetached(QFile::decodeName(QByteArray::fromStdString(program)), args);
}

} // namespace platform
