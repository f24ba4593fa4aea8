#include "JournalFixture.h"

#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "journal/DeletedDocuments.h"
#include "journal/JournalReport.h"
#include "journal/JournalStore.h"
#include "journal/JournalVerification.h"
#include "operations/SalaryOrderDeletion.h"

#include <QDateTime>

namespace
{

QVariantMap receipt(double number, const QString& date, double amount)
{
    return {{QStringLiteral("Nr_act"), number},          {QStringLiteral("Data"), QDate::fromString(date, Qt::ISODate)},
            {QStringLiteral("Cod_venit"), 1},            {QStringLiteral("Valoarea"), amount},
            {QStringLiteral("Cont"), QStringLiteral("Casa")}, {QStringLiteral("Explicatie"), QStringLiteral("Donatie")}};
}

const QString incomes = QStringLiteral("Venituri");

} // namespace

using JournalEntries = JournalFixture;

TEST_F(JournalEntries, ANewDatabaseStartsItsJournalWithABaseline)
{
    const QList<JournalEntry> all = entries();
    ASSERT_FALSE(all.isEmpty());
    EXPECT_EQ(all.first().action, JournalAction::start);
    EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](const JournalEntry& e) {
        return e.action == JournalAction::baseline && e.table == QStringLiteral("Tip_venituri") && !e.rowDigest.isEmpty();
    })) << "the delivered income types are the baseline";
    EXPECT_EQ(JournalVerification::run(db).text(), QStringLiteral("Jurnalul este intreg: %1 inregistrari").arg(all.size()));
}

TEST_F(JournalEntries, AnInsertAChangeAndADeletionEachLeaveTheirEntry)
{
    store(incomes, receipt(7, QStringLiteral("2024-03-05"), 150));
    const JournalEntry added = lastEntry();
    EXPECT_EQ(added.action, JournalAction::insert);
    EXPECT_EQ(added.table, incomes);
    EXPECT_EQ(added.key, QStringLiteral("7"));
    EXPECT_EQ(added.keyDate, QStringLiteral("2024-03-05"));
    EXPECT_FALSE(added.user.isEmpty());
    EXPECT_FALSE(added.host.isEmpty());
    EXPECT_EQ(QDateTime::fromString(added.moment, Qt::ISODateWithMs).timeSpec(), Qt::UTC);
    EXPECT_TRUE(JournalReport::changesText(added).contains(QStringLiteral("Valoarea: 150,00")));

    change(incomes, QStringLiteral("Nr_act"), 7, {{QStringLiteral("Valoarea"), 120}});
    const JournalEntry changed = lastEntry();
    EXPECT_EQ(changed.action, JournalAction::update);
    EXPECT_EQ(JournalReport::changesText(changed), QStringLiteral("Valoarea: 150,00 -> 120,00"))
        << "only the field that changed";

    remove(incomes, QStringLiteral("Nr_act"), 7);
    const JournalEntry deleted = lastEntry();
    EXPECT_EQ(deleted.action, JournalAction::remove);
    EXPECT_EQ(deleted.rowid, added.rowid);
    EXPECT_TRUE(JournalReport::changesText(deleted).contains(QStringLiteral("Valoarea: 120,00")));
    EXPECT_TRUE(JournalVerification::run(db).isWhole()) << JournalVerification::run(db).text().toStdString();
}

TEST_F(JournalEntries, AChangeRefusedByTheStoreLeavesNoEntry)
{
    store(incomes, receipt(7, QStringLiteral("2024-03-05"), 150));
    const qint64 before = JournalStore::head(db).count;
    // The store refuses the change: neither row nor entry is written.
    Sql::exec(db, QStringLiteral("CREATE TRIGGER Refuz BEFORE UPDATE ON Venituri BEGIN SELECT RAISE(ABORT, 'refuzat'); END"));
    EXPECT_THROW(change(incomes, QStringLiteral("Nr_act"), 7, {{QStringLiteral("Valoarea"), 1}}), DbError);
    EXPECT_EQ(JournalStore::head(db).count, before);
    Sql::exec(db, QStringLiteral("DROP TRIGGER Refuz"));
}

TEST_F(JournalEntries, AnEntryThatCannotBeWrittenRefusesTheChange)
{
    store(incomes, receipt(7, QStringLiteral("2024-03-05"), 150));
    Sql::exec(db, QStringLiteral("CREATE TRIGGER JurnalPlin BEFORE INSERT ON Jurnal BEGIN SELECT RAISE(ABORT, 'disc plin'); END"));
    try {
        change(incomes, QStringLiteral("Nr_act"), 7, {{QStringLiteral("Valoarea"), 1}});
        ADD_FAILURE() << "the change went through without its entry";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("disc plin"))) << e.text().toStdString();
    }
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("SELECT Valoarea FROM Venituri")).toDouble(), 150.0)
        << "the row stays as it was";
    Sql::exec(db, QStringLiteral("DROP TRIGGER JurnalPlin"));
}

TEST_F(JournalEntries, ADeletedDocumentIsListedAndRestoredUnderItsNumber)
{
    store(incomes, receipt(7, QStringLiteral("2024-03-05"), 150));
    remove(incomes, QStringLiteral("Nr_act"), 7);
    QList<DeletedDocument> deleted = DeletedDocuments::list(db);
    ASSERT_EQ(deleted.size(), 1);
    EXPECT_EQ(deleted[0].table, incomes);
    EXPECT_EQ(deleted[0].number, QStringLiteral("7"));
    EXPECT_EQ(deleted[0].date, QDate(2024, 3, 5));

    EXPECT_TRUE(DeletedDocuments::restore(db, deleted[0], [](const QString&, const QString&) {
        ADD_FAILURE() << "the number is free";
        return false;
    }));
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("SELECT Nr_act FROM Venituri WHERE Valoarea = 150")).toDouble(), 7.0);
    EXPECT_EQ(lastEntry().action, JournalAction::restore);
    EXPECT_EQ(lastEntry(JournalAction::insert).table, incomes);
    EXPECT_TRUE(DeletedDocuments::list(db).isEmpty()) << "a restored document leaves the list";
    EXPECT_TRUE(JournalVerification::run(db).isWhole()) << JournalVerification::run(db).text().toStdString();
}

TEST_F(JournalEntries, ARestoreWhoseNumberIsTakenAsksForTheNextFreeOne)
{
    store(incomes, receipt(7, QStringLiteral("2024-03-05"), 150));
    remove(incomes, QStringLiteral("Nr_act"), 7);
    store(incomes, receipt(7, QStringLiteral("2024-03-06"), 90));
    const DeletedDocument deleted = DeletedDocuments::list(db).value(0);

    QStringList asked;
    const auto answer = [&](bool yes) {
        return [&asked, yes](const QString& taken, const QString& next) {
            asked << taken + QLatin1Char('>') + next;
            return yes;
        };
    };
    EXPECT_FALSE(DeletedDocuments::restore(db, deleted, answer(false)));
    EXPECT_EQ(storedRows(incomes), 1) << "declined: nothing restored";
    EXPECT_TRUE(DeletedDocuments::restore(db, deleted, answer(true)));
    EXPECT_EQ(asked, (QStringList{QStringLiteral("7>8"), QStringLiteral("7>8")}));
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("SELECT Nr_act FROM Venituri WHERE Valoarea = 150")).toDouble(), 8.0);
}

TEST_F(JournalEntries, ADeletedSalaryOrderComesBackWithItsLines)
{
    store(QStringLiteral("CheltSal"), {{QStringLiteral("Nr_act"), 3},
                                       {QStringLiteral("Data"), QDate(2024, 4, 2)},
                                       {QStringLiteral("Cont"), QStringLiteral("Casa")}});
    const QVariant orderId = Sql::scalar(db, QStringLiteral("SELECT Id FROM CheltSal"));
    for (const double amount : {1000.0, 250.0})
        store(QStringLiteral("ItemsSal"), {{QStringLiteral("Id_CheltSal"), orderId},
                                           {QStringLiteral("Cod_cheltuiala"), 4},
                                           {QStringLiteral("Valoarea"), amount}});
    {
        Dataset lines(QStringLiteral("ItemsSal"));
        lines.open();
        deleteSalaryOrder(db, lines, orderId);
    }
    EXPECT_EQ(storedRows(QStringLiteral("ItemsSal")), 0);
    const QList<DeletedDocument> deleted = DeletedDocuments::list(db);
    ASSERT_EQ(deleted.size(), 1);
    EXPECT_EQ(deleted[0].table, QStringLiteral("CheltSal"));
    EXPECT_EQ(deleted[0].lines.size(), 2);

    ASSERT_TRUE(DeletedDocuments::restore(db, deleted[0], [](const QString&, const QString&) { return true; }));
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("SELECT sum(Valoarea) FROM ItemsSal WHERE Id_CheltSal = "
                                             "(SELECT Id FROM CheltSal WHERE Nr_act = 3)"))
                  .toDouble(),
              1250.0);
    EXPECT_TRUE(JournalVerification::run(db).isWhole()) << JournalVerification::run(db).text().toStdString();
}
