#include "support/TestFolder.h"

#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TestFolder::TestFolder()
{
    setProgramFolder(m_dir.path());
}

TestFolder::TestFolder(const QString& parentFolder) : m_dir(parentFolder + QStringLiteral("/Parohie-XXXXXX"))
{
    setProgramFolder(m_dir.path());
}

TestFolder::~TestFolder()
{
    Connection::close();
    // Leave the location as a fresh start finds it.
    if (DatabaseLocation::instance().isClosedYearOpen() && QFile::exists(databaseFile()))
        DatabaseLocation::instance().switchToYear(QString(), true);
    Connection::close();
}

QString TestFolder::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TestFolder::databaseFile() const
{
    return path() + DatabaseLocation::databaseFileName;
}

QSqlDatabase TestFolder::openWorkingYear()
{
    DatabaseLocation::instance().openWorkingYear();
    return Connection::database();
}

void TestFolder::closeYear(int year)
{
    const QSqlDatabase db = Connection::database();
    QDir().mkpath(path() + QString::number(year));
    Sql::exec(db, QStringLiteral("UPDATE Parohia SET An_lucru = :y"), {{QStringLiteral(":y"), year}});
    Sql::exec(
        db, QStringLiteral("VACUUM INTO :f"),
        {{QStringLiteral(":f"), DatabaseLocation::yearFolder(year) + DatabaseLocation::databaseFileName}});
    if (!Sql::tableExists(db, QStringLiteral("Ani")))
        Sql::exec(db, QStringLiteral("CREATE TABLE Ani (Valoare integer)"));
    Sql::exec(db, QStringLiteral("INSERT INTO Ani VALUES (:y)"), {{QStringLiteral(":y"), year}});
    Sql::exec(db, QStringLiteral("UPDATE Parohia SET An_lucru = :y"), {{QStringLiteral(":y"), year + 1}});
}

void TestFolder::write(const QString& name, const QByteArray& bytes) const
{
    QFile f(file(name));
    QDir().mkpath(QFileInfo(f).absolutePath());
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << name.toStdString();
}

int storedRows(const QString& table)
{
    const QSqlDatabase db = Connection::database();
    return Sql::scalar(db, QStringLiteral("SELECT count(*) FROM %1").arg(Sql::name(db, table))).toInt();
}

void execOrFail(const QString& statement)
{
    try {
        Sql::exec(Connection::database(), statement);
    } catch (const std::exception& e) {
        ADD_FAILURE() << statement.toStdString() << ": " << e.what();
    }
}
