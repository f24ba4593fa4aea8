#include "db/DatabaseLocation.h"

#include "core/ProgramFolder.h"
#include "core/SameFile.h"
#include "db/ConfiguredServer.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/SchemaBuilder.h"
#include "db/Sql.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

DatabaseLocation& DatabaseLocation::instance()
{
    static DatabaseLocation location;
    return location;
}

QString DatabaseLocation::workingYearDatabase() const
{
    return programFolder() + databaseFileName;
}

QString DatabaseLocation::yearFolder(int year)
{
    return programFolder() + QString::number(year) + QLatin1Char('/');
}

QString DatabaseLocation::currentFolder() const
{
    const QString file = Connection::filePath();
    if (file.isEmpty())
        return programFolder();
    return QFileInfo(file).absolutePath() + QLatin1Char('/');
}

void DatabaseLocation::openWorkingYear()
{
    const QString server = ConfiguredServer::address();
    if (!server.isEmpty()) {
        ConfiguredServer::open(server);
        setClosedYearOpen(false);
        return;
    }
    const QString file = workingYearDatabase();
    if (!QFileInfo::exists(file))
        SchemaBuilder::createDatabase(file, QDate::currentDate().year());
    Connection::open(file);
    setClosedYearOpen(false);
}

DatabaseLocation::SwitchResult DatabaseLocation::switchToYear(const QString& yearText, bool isFirstEntry)
{
    // On a server installation the working year is the server's: already open.
    if (isFirstEntry && Connection::isServer())
        return {};
    QString target = workingYearDatabase();
    if (!isFirstEntry) {
        static const QRegularExpression fourDigits(QStringLiteral("^\\d{4}$"));
        const QString year = yearText.trimmed();
        if (!fourDigits.match(year).hasMatch())
            return {false, QStringLiteral("\"%1\" nu este un an. Alegeti un an din lista.").arg(yearText)};
        target = yearFolder(year.toInt()) + databaseFileName;
        if (!QFileInfo::exists(target))
            return {false, QStringLiteral("Pentru anul %1 nu exista baza de date (%2).")
                               .arg(year, QDir::toNativeSeparators(target))};
    }

    if (Connection::isOpen() && isSameFile(Connection::filePath(), target))
        return {};

    // A file that cannot be opened is refused before the connection leaves
    // the open year, so that the record sources open on it stay open.
    const QString probe = QStringLiteral("LumivaretProbe");
    try {
        Connection::openNamed(probe, target);
        Connection::removeNamed(probe);
    } catch (const DbError& e) {
        Connection::removeNamed(probe);
        return {false, QStringLiteral("Baza de date a anului ales nu poate fi deschisa: %1").arg(e.text())};
    }

    const QString previous = Connection::filePath();
    try {
        Connection::close();
        Connection::open(target);
    } catch (const DbError& e) {
        if (!previous.isEmpty())
            Connection::open(previous);
        return {false, QStringLiteral("Baza de date a anului ales nu poate fi deschisa: %1").arg(e.text())};
    }
    setClosedYearOpen(!isFirstEntry);
    Q_EMIT yearSwitched();
    return {true, QString(), true};
}

QList<int> DatabaseLocation::knownYears() const
{
    QList<int> years;
    const QString connectionName = QStringLiteral("LumivaretAni");
    try {
        QSqlDatabase db = Connection::openNamed(connectionName, workingYearDatabase());
        if (Sql::tableExists(db, QStringLiteral("Ani"))) {
            QSqlQuery query = Sql::exec(db, QStringLiteral("SELECT Valoare FROM Ani ORDER BY rowid"));
            while (query.next())
                if (!query.value(0).isNull())
                    years << query.value(0).toInt();
        }
    } catch (const DbError&) {
        years.clear(); // an unreadable list of years offers only the working year
    }
    Connection::removeNamed(connectionName);
    return years;
}

void DatabaseLocation::setClosedYearOpen(bool open)
{
    const bool changed = open != m_closedYearOpen;
    m_closedYearOpen = open;
    if (changed)
        Q_EMIT closedYearChanged(open);
}
