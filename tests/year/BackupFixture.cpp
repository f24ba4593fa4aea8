#include "BackupFixture.h"

#include "db/Connection.h"
#include "db/Sql.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace BackupFixture
{

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QStringList foldersIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

int rowsIn(const QString& databaseFile, const QString& table)
{
    const QString name = QStringLiteral("rows-check");
    int rows = -1;
    {
        QSqlDatabase db = Connection::openNamed(name, databaseFile);
        rows = Sql::scalar(db, QStringLiteral("SELECT count(*) FROM %1").arg(table)).toInt();
    }
    Connection::removeNamed(name);
    return rows;
}

void damageDatabase(const QString& databaseFile)
{
    QFile file(databaseFile);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(4096 + 100);
    file.write(QByteArray(8192, '\x5a'));
}

void addStock(const QStringList& names)
{
    for (const QString& name : names)
        Sql::exec(Connection::database(),
                  QStringLiteral("INSERT INTO Stoc (Denumire, Cantitate, Pret) VALUES (:n, 1, 1)"),
                  {{QStringLiteral(":n"), name}});
}

void parishWithClosedYears(TestFolder& folder)
{
    folder.openWorkingYear();
    addStock({QStringLiteral("Candela")});
    folder.closeYear(2022);
    addStock({QStringLiteral("Sfesnic")});
    folder.closeYear(2023);
    execOrFail(QStringLiteral("INSERT INTO Ani VALUES (2024)"));
    folder.write(QStringLiteral("Lumivaret"), "program");
    folder.write(QStringLiteral("HelpLumivaret.exe"), "manual");
    folder.write(QStringLiteral("Configurari.ini"), "[Options]\n");
    folder.write(QStringLiteral("poza.jpg"), "jpeg");
}

} // namespace BackupFixture
