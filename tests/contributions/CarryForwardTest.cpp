#include "contributions/CarryForward.h"
#include "ParishBooks.h"
#include "db/DbError.h"
#include "db/Transaction.h"

#include <QLocale>
#include <QSqlQuery>

using namespace Contributions;

namespace
{

constexpr int closingYear = 2026;

// Refuses the arrears of P1, written after those of P4 (names in order: Dumitru, Ionescu, Popescu).
const char* const refusingTrigger = "CREATE TRIGGER refuz BEFORE UPDATE OF Restanta ON Enoriasi "
                                    "WHEN NEW.Cod_enorias = 'P1' AND NEW.Restanta IS NOT NULL "
                                    "BEGIN SELECT RAISE(ABORT, 'refuzat'); END";

// Every parishioner's code, name and stored arrears ("null" for none), in key order.
QStringList allArrears(const QSqlDatabase& db)
{
    QStringList rows;
    QSqlQuery query = Sql::exec(db, QStringLiteral("SELECT Cod_enorias, Nume_prenume, Restanta FROM Enoriasi "
                                                   "ORDER BY Cod_enorias, Nume_prenume"));
    while (query.next())
        rows << QStringLiteral("%1|%2|%3")
                    .arg(query.value(0).toString(), query.value(1).toString(),
                         query.value(2).isNull() ? QStringLiteral("null")
                                                 : QString::number(query.value(2).toDouble(), 'g', 17));
    return rows;
}

class CarryForward : public ParishBooks
{
protected:
    // A parish at the end of the year: old arrears, payments, a family paid up and one that overpaid.
    void fillYear()
    {
        addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Intreaga"), 50.0);
        addIncome(QStringLiteral("P1"), 120, QDate(closingYear, 5, 1));
        addParishioner(QStringLiteral("P2"), QStringLiteral("Ionescu Maria"), QStringLiteral("Intreaga"),
                       40.0);
        addIncome(QStringLiteral("P2"), 140, QDate(closingYear, 12, 31));
        addParishioner(QStringLiteral("P3"), QStringLiteral("Vasilescu Ana"), QStringLiteral("Intreaga"));
        addIncome(QStringLiteral("P3"), 200, QDate(closingYear, 3, 1));
        addParishioner(QStringLiteral("P4"), QStringLiteral("Dumitru Ion"), QStringLiteral("Jumatate"));
        // Entered early for the next year: counts for that year, not this one.
        addIncome(QStringLiteral("P4"), 50, QDate(closingYear + 1, 1, 2));
    }

    // What the year-end leaves for fillYear's parish.
    const QStringList expectedAfterClosing = {
        QStringLiteral("P1|Popescu Ion|30"), QStringLiteral("P2|Ionescu Maria|null"),
        QStringLiteral("P3|Vasilescu Ana|null"), QStringLiteral("P4|Dumitru Ion|50")};
};

TEST_F(CarryForward, CarriesOldArrearsPlusTheContributionLessThePayments)
{
    fillYear();
    carryForward(db, closingYear);
    EXPECT_EQ(allArrears(db), expectedAfterClosing);
}

TEST_F(CarryForward, StoresTheRemainderToFifteenDigitsWhateverTheLocale)
{
    const QLocale desktop;
    for (const QLocale& locale :
         {QLocale(QLocale::Romanian, QLocale::Romania), QLocale(QLocale::English, QLocale::UnitedStates)}) {
        QLocale::setDefault(locale);
        Sql::exec(db, QStringLiteral("DELETE FROM Enoriasi"));
        Sql::exec(db, QStringLiteral("DELETE FROM Venituri"));
        addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("10"), 2.5);
        // 0.1 + 0.2 is 0.30000000000000004 in doubles: stored as 0.3.
        addParishioner(QStringLiteral("P2"), QStringLiteral("Ionescu Maria"), QStringLiteral("0"), 0.1);
        addIncome(QStringLiteral("P2"), -0.2, QDate(closingYear, 4, 1));

        carryForward(db, closingYear);

        EXPECT_EQ(storedArrears(QStringLiteral("P1")).toDouble(), 12.5) << locale.name().toStdString();
        EXPECT_EQ(storedArrears(QStringLiteral("P2")).toDouble(), 0.3) << locale.name().toStdString();
    }
    QLocale::setDefault(desktop);
}

TEST_F(CarryForward, ACodeWithQuotesIsCarried)
{
    const QString code = QStringLiteral("O'B\"1");
    addParishioner(code, QStringLiteral("O'Brien Ion"), QStringLiteral("Intreaga"));
    addIncome(code, 30, QDate(closingYear, 6, 1));

    carryForward(db, closingYear);

    EXPECT_EQ(storedArrears(code).toDouble(), 70);
}

TEST_F(CarryForward, ARemainderOfFloatNoiseIsNotCarried)
{
    setWholeValue(150);
    addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Intreaga"), 10.0);
    addIncome(QStringLiteral("P1"), 10, QDate(closingYear, 1, 5));
    for (const double part : {43.06, 104.02, 2.92})
        addIncome(QStringLiteral("P1"), part, QDate(closingYear, 2, 1));

    carryForward(db, closingYear);

    EXPECT_TRUE(storedArrears(QStringLiteral("P1")).isNull());
}

TEST_F(CarryForward, RecordsSharingACodeKeepTheirOwnRemainders)
{
    addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Intreaga"));
    addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Maria"), QStringLiteral("Jumatate"),
                   QVariant(), QVariant(), QVariant());
    addIncome(QStringLiteral("P1"), 30, QDate(closingYear, 6, 1));

    carryForward(db, closingYear);

    EXPECT_EQ(allArrears(db),
              (QStringList{QStringLiteral("P1|Popescu Ion|70"), QStringLiteral("P1|Popescu Maria|20")}));
}

struct Breakage {
    const char* what;
    const char* statement;
};

class CarryForwardFailure : public CarryForward, public ::testing::WithParamInterface<Breakage>
{
};

TEST_P(CarryForwardFailure, LeavesTheArrearsAsTheyWere)
{
    fillYear();
    const QStringList before = allArrears(db);
    Sql::exec(db, QString::fromUtf8(GetParam().statement));

    try {
        carryForward(db, closingYear);
        FAIL() << "no failure when " << GetParam().what;
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Restantele la contributie nu au putut fi reportate")))
            << e.what();
    }
    EXPECT_EQ(allArrears(db), before) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Breakages, CarryForwardFailure,
                         ::testing::Values(Breakage{"the incomes are missing", "DROP TABLE Venituri"},
                                           Breakage{"a trigger refuses a row", refusingTrigger}));

TEST_F(CarryForward, InsideTheClosingsTransactionFallsWithIt)
{
    fillYear();
    const QStringList before = allArrears(db);
    {
        Transaction closing(db);
        carryForward(db, closingYear);
        EXPECT_EQ(allArrears(db), expectedAfterClosing);
    } // not committed
    EXPECT_EQ(allArrears(db), before);
}

TEST_F(CarryForward, InsideTheClosingsTransactionUndoesOnlyItselfOnFailure)
{
    fillYear();
    const QStringList before = allArrears(db);
    Sql::exec(db, QString::fromUtf8(refusingTrigger));
    {
        Transaction closing(db);
        Sql::exec(db, QStringLiteral("UPDATE Contor SET Sold_init_casa = 0"));
        EXPECT_THROW(carryForward(db, closingYear), DbError);
        EXPECT_EQ(allArrears(db), before);
        Sql::exec(db, QStringLiteral("UPDATE Contor SET Sold_init_casa = 7"));
        closing.commit();
    }
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("SELECT Sold_init_casa FROM Contor")).toDouble(), 7);
    EXPECT_EQ(allArrears(db), before);
}

TEST_F(CarryForward, InsideTheClosingsTransactionStandsWhenItCommits)
{
    fillYear();
    {
        Transaction closing(db);
        carryForward(db, closingYear);
        closing.commit();
    }
    EXPECT_EQ(allArrears(db), expectedAfterClosing);
}

TEST_F(CarryForward, RefusesWithoutTheContributionIncomeCodeChangingNothing)
{
    fillYear();
    const QStringList before = allArrears(db);
    Sql::exec(db, QStringLiteral("UPDATE Contor SET CodVenContrib = NULL"));
    EXPECT_THROW(carryForward(db, closingYear), UserError);
    EXPECT_EQ(allArrears(db), before);
}

} // namespace
