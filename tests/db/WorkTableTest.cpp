#include "db/WorkTable.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace
{

class WorkTableTest : public ::testing::Test
{
protected:
    void SetUp() override { db = folder.openWorkingYear(); }

    // Adds a row with only its date and returns the identity the store gave it.
    qint64 addRow(const QString& table)
    {
        return Sql::exec(db, QStringLiteral("INSERT INTO %1 (Data) VALUES (:d)").arg(table),
                         {{QStringLiteral(":d"), QDate(2024, 1, 1)}})
            .lastInsertId()
            .toLongLong();
    }
    int count(const QString& table)
    {
        return Sql::scalar(db, QStringLiteral("SELECT count(*) FROM %1").arg(table)).toInt();
    }

    TestFolder folder;
    QSqlDatabase db;
};

} // namespace

TEST_F(WorkTableTest, RebuiltRegistersNumberTheirRowsFromOneAgain)
{
    for (const QString table : {QStringLiteral("Registru"), QStringLiteral("Pangar")}) {
        for (int i = 0; i < 5; ++i)
            addRow(table);
        Sql::exec(db, QStringLiteral("DELETE FROM %1 WHERE Id > 3").arg(table));
        ASSERT_EQ(addRow(table), 6) << "the store never reuses an identity by itself";

        WorkTable::rebuildEmpty(db, table + QStringLiteral(".DB"));
        EXPECT_EQ(count(table), 0) << table.toStdString();
        EXPECT_EQ(addRow(table), 1) << table.toStdString();
        EXPECT_EQ(addRow(table), 2) << table.toStdString();
    }
}

TEST_F(WorkTableTest, BalanceSheetSnapshotIsMadeInTheShapeOfTheBalanceSheet)
{
    ASSERT_FALSE(Sql::tableExists(db, QStringLiteral("Bilant1")));
    WorkTable::rebuildEmpty(db, QStringLiteral("Bilant1"));
    EXPECT_EQ(Sql::fieldNames(db, QStringLiteral("Bilant1")), Sql::fieldNames(db, QStringLiteral("Bilant")));
    EXPECT_EQ(count(QStringLiteral("Bilant1")), 0);

    Sql::exec(db, QStringLiteral("INSERT INTO Bilant1 SELECT * FROM Bilant"));
    ASSERT_GT(count(QStringLiteral("Bilant1")), 0);
    WorkTable::rebuildEmpty(db, QStringLiteral("Bilant1"));
    EXPECT_EQ(count(QStringLiteral("Bilant1")), 0);
    EXPECT_GT(count(QStringLiteral("Bilant")), 0);
}

TEST_F(WorkTableTest, OnlyWorkTablesAreEmptied)
{
    const int types = count(QStringLiteral("Tip_venituri"));
    for (const char* table : {"Tip_venituri", "Bilant", "sqlite_sequence", "Registru; DROP TABLE Venituri"}) {
        try {
            WorkTable::rebuildEmpty(db, QString::fromLatin1(table));
            ADD_FAILURE() << "emptied " << table;
        } catch (const DbError& e) {
            EXPECT_TRUE(e.text().contains(QStringLiteral("nu este o tabela de lucru")))
                << e.text().toStdString();
        }
    }
    EXPECT_EQ(count(QStringLiteral("Tip_venituri")), types);
    EXPECT_TRUE(Sql::tableExists(db, QStringLiteral("Venituri")));
}

TEST_F(WorkTableTest, AFailedRebuildLeavesRowsAndCounterAsTheyWere)
{
    for (int i = 0; i < 5; ++i)
        addRow(QStringLiteral("Registru"));
    Sql::exec(db, QStringLiteral("DELETE FROM Registru WHERE Id > 3"));
    Sql::exec(db, QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON Registru "
                                 "BEGIN SELECT RAISE(ABORT, 'registrul este folosit'); END"));

    EXPECT_THROW(WorkTable::rebuildEmpty(db, QStringLiteral("Registru")), DbError);
    EXPECT_EQ(count(QStringLiteral("Registru")), 3);
    Sql::exec(db, QStringLiteral("DROP TRIGGER keep"));
    EXPECT_EQ(addRow(QStringLiteral("Registru")), 6) << "the counter was reset although the rebuild failed";
}

TEST_F(WorkTableTest, RebuildJoinsTheCallersTransaction)
{
    for (int i = 0; i < 3; ++i)
        addRow(QStringLiteral("Pangar"));
    {
        Transaction transaction(db);
        WorkTable::rebuildEmpty(db, QStringLiteral("Pangar"));
        EXPECT_EQ(addRow(QStringLiteral("Pangar")), 1);
        // Leaving without commit undoes the rebuild together with the caller's rows.
    }
    EXPECT_EQ(count(QStringLiteral("Pangar")), 3);
    EXPECT_EQ(addRow(QStringLiteral("Pangar")), 4);

    {
        Transaction transaction(db);
        WorkTable::rebuildEmpty(db, QStringLiteral("Pangar"));
        addRow(QStringLiteral("Pangar"));
        transaction.commit();
    }
    EXPECT_EQ(count(QStringLiteral("Pangar")), 1);
    EXPECT_EQ(addRow(QStringLiteral("Pangar")), 2);
}
