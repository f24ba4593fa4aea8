#include "year/DataFolderCopy.h"

#include "core/ErrorDetail.h"
#include "core/NativePath.h"
#include "core/SameFile.h"
#include "core/Utilities.h"
#include "db/Connection.h"
#include "db/DatabaseCopy.h"
#include "db/DatabaseLocation.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "year/PrivateConnection.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

namespace
{

// Through the program's own connection when it is open on that file: its
// committed state is what the user sees as stored.
void copyDatabase(const QString& sourceFile, const QString& targetFile, Progress& progress)
{
    if (Connection::isOpen() && isSameFile(Connection::filePath(), sourceFile)) {
        DatabaseCopy::copyTo(Connection::database(), targetFile, progress);
        return;
    }
    const PrivateConnection source(sourceFile);
    DatabaseCopy::copyTo(source.db(), targetFile, progress);
}

QString integrityProblem(const QString& databaseFile)
{
    try {
        const PrivateConnection connection(databaseFile);
        QSqlQuery query = Sql::exec(connection.db(), QStringLiteral("PRAGMA integrity_check"));
        QStringList problems;
        while (query.next())
            problems << query.value(0).toString();
        if (problems == QStringList{QStringLiteral("ok")})
            return {};
        return problems.isEmpty() ? QStringLiteral("verificarea nu a dat niciun rezultat")
                                  : problems.mid(0, 3).join(QStringLiteral("; "));
    } catch (const DbError& e) {
        return e.text();
    }
}

} // namespace

namespace DataFolderCopy
{

bool anyFile(const QString&)
{
    return true;
}

bool databaseOnly(const QString&)
{
    return false;
}

bool isSqliteSideFile(const QString& fileName)
{
    static const QString suffixes[] = {QStringLiteral("-journal"), QStringLiteral("-wal"),
                                       QStringLiteral("-shm")};
    for (const QString& suffix : suffixes)
        if (fileName.endsWith(suffix, Qt::CaseInsensitive))
            return true;
    return false;
}

bool passesIntegrityCheck(const QString& databaseFile, QString* problem)
{
    const QString found = integrityProblem(databaseFile);
    if (problem)
        *problem = found;
    return found.isEmpty();
}

void requireIntegrity(const QString& databaseFile)
{
    QString problem;
    if (passesIntegrityCheck(databaseFile, &problem))
        return;
    // A file that does not open is told in the store's Romanian words; the
    // integrity check's own findings are English and stay a detail line.
    try {
        const PrivateConnection opens(databaseFile);
    } catch (const DbError& e) {
        throw DbError(QStringLiteral("Baza de date %1 nu poate fi citita: %2").arg(nativePath(databaseFile), e.text()));
    }
    throw DbError(withDetail(
        QStringLiteral("Baza de date %1 este deteriorata si nu poate fi folosita ca o copie buna.")
            .arg(nativePath(databaseFile)),
        problem));
}

void copy(const QString& sourceFolder, const QString& targetFolder, const NameFilter& accept,
          Progress& progress)
{
    const QDir source(sourceFolder);
    if (!source.exists())
        throw IoError(QStringLiteral("Directorul %1 nu exista").arg(nativePath(sourceFolder)));
    if (!QDir().mkpath(targetFolder))
        throw IoError(QStringLiteral("Directorul %1 nu poate fi creat").arg(nativePath(targetFolder)));
    const QDir target(targetFolder);

    const QString databaseName = DatabaseLocation::databaseFileName;
    const QFileInfoList files = source.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& file : files) {
        const QString name = file.fileName();
        if (isSqliteSideFile(name))
            continue;
        const QString targetFile = target.filePath(name);
        if (name == databaseName) {
            copyDatabase(file.filePath(), targetFile, progress);
            requireIntegrity(targetFile);
        } else if (accept(name)) {
            CopyFileChecked(file.filePath(), targetFile);
        }
    }
}

} // namespace DataFolderCopy
