#include "db/SchemaUpgrade.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace
{

// A database as an early release left it: the tables that later gained
// fields, without those fields, each with a row.
void createOldDatabase(const QString& file, bool withBalanceAccount = false)
{
    const QString name = QStringLiteral("old");
    {
        QSqlDatabase db = Connection::openNamed(name, file, true);
        const QStringList statements = {
            QStringLiteral(
                "CREATE TABLE Parohia (Arhiepiscopia VARCHAR(30), Protopopiatul VARCHAR(30), Parohia "
                "VARCHAR(30), "
                "Strada VARCHAR(30), Nr VARCHAR(10), Localitatea VARCHAR(20), Judet VARCHAR(20), Preot "
                "VARCHAR(25), "
                "Epitrop VARCHAR(25), Banca VARCHAR(25), \"Cont bancar\" VARCHAR(30), An_lucru INTEGER)"),
            QStringLiteral("INSERT INTO Parohia (Parohia, An_lucru) VALUES ('Sf. Nicolae', 2009)"),
            QStringLiteral(
                "CREATE TABLE Venituri (Nr_act FLOAT, Data DATE, Den_venit VARCHAR(100), Cod_venit SMALLINT, "
                "Cod_enorias VARCHAR(10), Den_enorias VARCHAR(30), Data_registru DATE, Explicatie "
                "VARCHAR(100), "
                "Valoarea FLOAT, Cont VARCHAR(15), Nr_registru FLOAT, Fel VARCHAR(15))"),
            QStringLiteral("INSERT INTO Venituri (Nr_act, Data, Valoarea) VALUES (1, '2009-03-02', 120.5)"),
            QStringLiteral("CREATE TABLE Cheltuieli (Cod_cheltuiala SMALLINT, Data DATE, Nr_act FLOAT, "
                           "Den_cheltuiala VARCHAR(100), Data_registru DATE, Nr_registru FLOAT, Explicatie "
                           "VARCHAR(100), "
                           "Valoarea FLOAT, Cont VARCHAR(15), Fel VARCHAR(15))"),
            QStringLiteral("INSERT INTO Cheltuieli (Nr_act, Valoarea) VALUES (1, 40)"),
            QStringLiteral(
                "CREATE TABLE Contor (Sold_init_casa FLOAT, Sold_init_banca FLOAT, Count_venit FLOAT, "
                "Count_chelt FLOAT)"),
            QStringLiteral("INSERT INTO Contor VALUES (10, 20, 30, 40)"),
            QStringLiteral(
                "CREATE TABLE Enoriasi (Cod_enorias VARCHAR(10) NOT NULL, Nume_prenume VARCHAR(30) NOT NULL, "
                "Strada VARCHAR(25), Nr VARCHAR(10), Tip_contributie VARCHAR(20) NOT NULL)"),
            QStringLiteral("INSERT INTO Enoriasi VALUES ('E1', 'Pop Ion', 'Unirii', '2', 'Intreaga')"),
            QStringLiteral("CREATE TABLE Bilant (Nr_rand SMALLINT, Denumire VARCHAR(100), Prevederi FLOAT, "
                           "Executie FLOAT, Formula VARCHAR(200), Cont1 VARCHAR(30)%1)")
                .arg(withBalanceAccount ? QStringLiteral(", Cont VARCHAR(30)") : QString()),
            QStringLiteral("INSERT INTO Bilant (Nr_rand, Denumire) VALUES (0, 'VENITURI')"),
        };
        for (const QString& s : statements)
            Sql::exec(db, s);
    }
    Connection::removeNamed(name);
}

QStringList fieldsOf(const QString& table)
{
    return Sql::fieldNames(Connection::database(), table);
}

} // namespace

TEST(SchemaUpgrade, OldDatabaseGainsTheElevenFieldsInOrderAndKeepsItsRows)
{
    TestFolder folder;
    createOldDatabase(folder.databaseFile());
    Connection::open(folder.databaseFile());

    int notices = 0;
    const QStringList statements = SchemaUpgrade::upgrade(Connection::database(), [&] { ++notices; });
    EXPECT_EQ(statements.size(), 11);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(statements.first(), QStringLiteral("ALTER TABLE \"Parohia\" ADD \"Val_contributie\" FLOAT"));

    EXPECT_EQ(fieldsOf(QStringLiteral("Contor")),
              QStringList({"Sold_init_casa", "Sold_init_banca", "Count_venit", "Count_chelt", "PretInOut",
                           "PretOut", "CodVenLum", "CodChLum", "CodVenContrib"}));
    EXPECT_EQ(fieldsOf(QStringLiteral("Cheltuieli")).mid(10), QStringList({"Cant_lumanari", "Beneficiar"}));
    EXPECT_EQ(fieldsOf(QStringLiteral("Parohia")).last(), QStringLiteral("Val_contributie"));
    EXPECT_EQ(fieldsOf(QStringLiteral("Venituri")).last(), QStringLiteral("Cant_lumanari"));
    EXPECT_EQ(fieldsOf(QStringLiteral("Enoriasi")).last(), QStringLiteral("Restanta"));
    EXPECT_EQ(fieldsOf(QStringLiteral("Bilant")).last(), QStringLiteral("Cont"));

    for (const char* table : {"Parohia", "Venituri", "Cheltuieli", "Contor", "Enoriasi", "Bilant"})
        EXPECT_EQ(storedRows(QString::fromLatin1(table)), 1) << table;
    EXPECT_DOUBLE_EQ(
        Sql::scalar(Connection::database(), QStringLiteral("SELECT Count_chelt FROM Contor")).toDouble(), 40);
    EXPECT_TRUE(Sql::scalar(Connection::database(), QStringLiteral("SELECT PretOut FROM Contor")).isNull());

    // The next start finds nothing to do.
    notices = 0;
    EXPECT_TRUE(SchemaUpgrade::upgrade(Connection::database(), [&] { ++notices; }).isEmpty());
    EXPECT_EQ(notices, 0);
}

TEST(SchemaUpgrade, OnlyTheMissingFieldIsAdded)
{
    TestFolder folder;
    createOldDatabase(folder.databaseFile());
    Connection::open(folder.databaseFile());
    SchemaUpgrade::upgrade(Connection::database());
    Sql::exec(Connection::database(), QStringLiteral("ALTER TABLE Bilant DROP COLUMN Cont"));

    EXPECT_EQ(SchemaUpgrade::upgrade(Connection::database()),
              QStringList{"ALTER TABLE \"Bilant\" ADD \"Cont\" CHAR (30)"});
    EXPECT_FALSE(SchemaUpgrade::AddFieldIfMissing(Connection::database(), QStringLiteral("Bilant"),
                                                  QStringLiteral("Cont"), QStringLiteral("CHAR (30)")));
}

TEST(SchemaUpgrade, NewDatabaseNeedsNothing)
{
    TestFolder folder;
    folder.openWorkingYear();
    EXPECT_TRUE(SchemaUpgrade::upgrade(Connection::database()).isEmpty());
}

TEST(SchemaUpgrade, StopsAtAMissingTableKeepingTheFieldsAddedBefore)
{
    TestFolder folder;
    createOldDatabase(folder.databaseFile(), true);
    Connection::open(folder.databaseFile());
    Sql::exec(Connection::database(), QStringLiteral("DROP TABLE Enoriasi"));
    try {
        SchemaUpgrade::upgrade(Connection::database());
        FAIL() << "the upgrade went on without Enoriasi";
    } catch (const DbError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Tabela Enoriasi nu exista in baza de date"));
    }
    EXPECT_TRUE(fieldsOf(QStringLiteral("Contor")).contains(QStringLiteral("PretInOut")));
    EXPECT_FALSE(fieldsOf(QStringLiteral("Contor")).contains(QStringLiteral("PretOut")));
}
