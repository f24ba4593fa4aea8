#include "db/ReplacedFileRescue.h"

#include "core/ProgramFolder.h"
#include "core/UserError.h"
#include "db/DatabaseCopy.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <sqlite3.h>

namespace
{

// The copies made, by connection and file: a connection reopened on another file is another case.
QHash<QString, QString>& copiesMade()
{
    static QHash<QString, QString> copies;
    return copies;
}

QString rescueName(const QString& databaseFile)
{
    return QFileInfo(databaseFile).completeBaseName() + QStringLiteral("-recuperata-") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")) +
           QStringLiteral(".sqlite");
}

} // namespace

namespace ReplacedFileRescue
{

Outcome rescue(sqlite3* db)
{
    const QString databaseFile = QString::fromUtf8(sqlite3_db_filename(db, "main"));
    const QString key = QString::number(quintptr(db)) + QLatin1Char('|') + databaseFile;
    if (const auto made = copiesMade().constFind(key); made != copiesMade().cend())
        return {*made, {}};
    const QFileInfo file(databaseFile);
    const QString folder = file.absoluteDir().exists() ? file.absolutePath() : programFolder();
    const QString copy = QDir(folder).filePath(rescueName(databaseFile));
    try {
        DatabaseCopy::copyTo(db, copy);
    } catch (const UserError& e) {
        return {{}, e.text()};
    }
    copiesMade().insert(key, copy);
    return {copy, {}};
}

} // namespace ReplacedFileRescue
