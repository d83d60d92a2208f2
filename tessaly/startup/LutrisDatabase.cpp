#include "LutrisDatabase.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace {

// Qt keeps connections by name for the whole process; the search may run on any thread, and
// each connection belongs to the thread that made it.
QString NewConnectionName() {
    static std::atomic<int> count = 0;
    return QStringLiteral("lutris-games-%1").arg(count++);
}

std::vector<std::string> ReadDirectories(QSqlDatabase& db, const std::string& database) {
    std::vector<std::string> directories;
    db.setDatabaseName(QFile::decodeName(QByteArray::fromStdString(database)));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open())
        return directories;
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("SELECT directory FROM games ORDER BY id"))) {
        while (query.next()) {
            const QByteArray directory = QFile::encodeName(query.value(0).toString());
            if (!directory.isEmpty())
                directories.push_back(directory.toStdString());
        }
    }
    return directories;
}

} // namespace

std::vector<std::string> LutrisGameDirectories(const std::string& database) {
    // Opening a missing file read-only fails anyway; this spares Qt's warning and a connection.
    if (!QFile::exists(QFile::decodeName(QByteArray::fromStdString(database))) ||
        !QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return {};
    const QString name = NewConnectionName();
    std::vector<std::string> directories;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        directories = ReadDirectories(db, database);
    }
    QSqlDatabase::removeDatabase(name);
    return directories;
}
