#include "crash/FolderSnapshot.h"

#include "db/Connection.h"
#include "db/SchemaBuilder.h"
#include "db/Sql.h"
#include "support/FolderContents.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QSqlRecord>
#include <stdexcept>

namespace FolderSnapshot
{

Entries entriesUnder(const QString& folder)
{
    return folderContents(folder);
}

QStringList pathsContaining(const Entries& entries, const QString& text)
{
    QStringList found;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        if (it.key().contains(text))
            found << it.key();
    return found;
}

void copyFolder(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        throw std::runtime_error("cannot create " + to.toStdString());
    const Entries entries = entriesUnder(from);
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        const QString target = QDir(to).filePath(it.key());
        if (QFileInfo(QDir(from).filePath(it.key())).isDir()) {
            QDir().mkpath(target);
        } else if (!QFile::copy(QDir(from).filePath(it.key()), target)) {
            throw std::runtime_error("cannot copy to " + target.toStdString());
        }
    }
}

QString databaseRows(const QString& databaseFile)
{
    const QString connection = QStringLiteral("LumivaretCrashRows");
    const auto remove = qScopeGuard([&] { Connection::removeNamed(connection); });
    try {
        const QSqlDatabase db = Connection::openNamed(connection, databaseFile);
        const QString integrity = Sql::scalar(db, QStringLiteral("PRAGMA integrity_check")).toString();
        if (integrity != QLatin1String("ok"))
            return QStringLiteral("damaged: ") + integrity;
        QStringList rows;
        QSqlQuery tables = Sql::exec(
            db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
        while (tables.next()) {
            const QString table = tables.value(0).toString();
            rows << table;
            QSqlQuery query = Sql::exec(db, QStringLiteral("SELECT * FROM %1").arg(Sql::quoted(table)));
            while (query.next()) {
                QStringList values;
                for (int i = 0; i < query.record().count(); ++i)
                    values << query.value(i).toString();
                rows << values.join(QLatin1Char('|'));
            }
        }
        return rows.join(QLatin1Char('\n'));
    } catch (const std::exception& e) {
        return QStringLiteral("unreadable: ") + QString::fromUtf8(e.what());
    }
}

void makeDatabase(const QString& databaseFile, int year, int incomes)
{
    QDir().mkpath(QFileInfo(databaseFile).absolutePath());
    SchemaBuilder::createDatabase(databaseFile, year);
    const QString connection = QStringLiteral("LumivaretCrashMake");
    const auto remove = qScopeGuard([&] { Connection::removeNamed(connection); });
    const QSqlDatabase db = Connection::openNamed(connection, databaseFile);
    for (int n = 1; n <= incomes; ++n)
        Sql::exec(
            db, QStringLiteral("INSERT INTO Venituri (Nr_act, Data, Valoarea, Fel) VALUES (%1, '%2-03-0%1', "
                               "%1.5, 'CHIT')")
                    .arg(n)
                    .arg(year));
}

namespace
{

// The entries' real paths by the name they are compared under; `count`
// also counts the entries whose names coincide.
QMap<QString, QString> pathsByName(const Entries& entries, const NameRule& nameOf, int& count)
{
    QMap<QString, QString> paths;
    count = 0;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        const QString name = nameOf ? nameOf(it.key()) : it.key();
        if (name.isEmpty())
            continue;
        paths.insert(name, it.key());
        ++count;
    }
    return paths;
}

} // namespace

QString differences(const QString& folder, const QString& expected, const NameRule& nameOf)
{
    const Entries found = entriesUnder(folder);
    const Entries wanted = entriesUnder(expected);
    int foundCount = 0;
    int wantedCount = 0;
    const QMap<QString, QString> foundPaths = pathsByName(found, nameOf, foundCount);
    const QMap<QString, QString> wantedPaths = pathsByName(wanted, nameOf, wantedCount);
    if (foundPaths.keys() != wantedPaths.keys() || foundCount != wantedCount)
        return QStringLiteral("entries [%1] instead of [%2]")
            .arg(found.keys().join(QLatin1Char(',')), wanted.keys().join(QLatin1Char(',')));
    for (auto it = wantedPaths.cbegin(); it != wantedPaths.cend(); ++it) {
        const QString foundPath = foundPaths.value(it.key());
        const bool same = it.key().endsWith(QLatin1String(".sqlite"))
                              ? databaseRows(QDir(folder).filePath(foundPath)) ==
                                    databaseRows(QDir(expected).filePath(it.value()))
                              : found.value(foundPath) == wanted.value(it.value());
        if (!same)
            return foundPath + QStringLiteral(" differs");
    }
    return {};
}

} // namespace FolderSnapshot
