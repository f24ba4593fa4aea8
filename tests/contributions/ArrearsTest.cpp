#include "contributions/Arrears.h"
#include "ParishBooks.h"
#include "contributions/ContributionParameters.h"
#include "core/UserError.h"

#include <QSqlQuery>

using namespace Contributions;

namespace
{

const QDate arrearsDate(2026, 6, 30);

QStringList codesOf(const QList<ArrearsRow>& rows)
{
    QStringList codes;
    for (const ArrearsRow& row : rows)
        codes << row.code;
    return codes;
}

QStringList namesOf(const QList<ArrearsRow>& rows)
{
    QStringList names;
    for (const ArrearsRow& row : rows)
        names << row.name;
    return names;
}

class Arrears : public ParishBooks
{
protected:
    QList<ArrearsRow> rows(ArrearsOrder order = ArrearsOrder::ByName)
    {
        return arrears(db, arrearsDate, order);
    }

    ArrearsRow rowOf(const QString& code)
    {
        for (const ArrearsRow& row : rows())
            if (row.code == code)
                return row;
        ADD_FAILURE() << "no row for " << code.toStdString();
        return {};
    }
};

TEST_F(Arrears, HalfContributionLessItsPayments)
{
    addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Jumatate"));
    addIncome(QStringLiteral("P1"), 20, QDate(2026, 3, 1));
    addIncome(QStringLiteral("P1"), 10, arrearsDate); // the reference day counts

    const ArrearsRow row = rowOf(QStringLiteral("P1"));
    EXPECT_EQ(row.name, QStringLiteral("Popescu Ion"));
    EXPECT_EQ(row.street, QStringLiteral("Lunga"));
    EXPECT_EQ(row.number, QStringLiteral("1"));
    EXPECT_EQ(row.contributionType, QStringLiteral("Jumatate"));
    EXPECT_FALSE(row.carried.has_value());
    EXPECT_DOUBLE_EQ(row.due, 50);
    ASSERT_TRUE(row.paid.has_value());
    EXPECT_DOUBLE_EQ(*row.paid, 30);
    EXPECT_DOUBLE_EQ(row.rest, 20);
    EXPECT_TRUE(row.owes());
    EXPECT_EQ(row.composedName, QStringLiteral("Popescu Ion (P1)"));
}

TEST_F(Arrears, WithoutPaymentsEveryFamilyHasItsRowAndOwesItsDue)
{
    addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Intreaga"), 25.5);
    addParishioner(QStringLiteral("P2"), QStringLiteral("Ionescu Maria"), QStringLiteral("75,5"));

    const QList<ArrearsRow> all = rows();
    ASSERT_EQ(all.size(), 2);
    for (const ArrearsRow& row : all) {
        EXPECT_FALSE(row.paid.has_value()) << row.code.toStdString();
        EXPECT_DOUBLE_EQ(row.rest, row.due) << row.code.toStdString();
    }
    EXPECT_DOUBLE_EQ(rowOf(QStringLiteral("P1")).due, 125.5);
    EXPECT_DOUBLE_EQ(*rowOf(QStringLiteral("P1")).carried, 25.5);
    EXPECT_DOUBLE_EQ(rowOf(QStringLiteral("P2")).due, 75.5);
}

struct UncountedIncome {
    const char* what;
    bool withParishioner;
    int incomeCode;
    QDate date;
};

class UncountedIncomes : public ParishBooks, public ::testing::WithParamInterface<UncountedIncome>
{
};

TEST_P(UncountedIncomes, AreNotPayments)
{
    const UncountedIncome& income = GetParam();
    addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Intreaga"));
    addIncome(income.withParishioner ? QVariant(QStringLiteral("P1")) : QVariant(), 40, income.date,
              income.incomeCode);

    const QList<ArrearsRow> all = arrears(db, arrearsDate);
    ASSERT_EQ(all.size(), 1);
    EXPECT_FALSE(all[0].paid.has_value()) << income.what;
    EXPECT_DOUBLE_EQ(all[0].rest, 100) << income.what;
}

INSTANTIATE_TEST_SUITE_P(
    Incomes, UncountedIncomes,
    ::testing::Values(UncountedIncome{"after the reference date", true, 2, QDate(2026, 7, 1)},
                      UncountedIncome{"under another income code", true, 3, QDate(2026, 3, 1)},
                      UncountedIncome{"without a parishioner", false, 2, QDate(2026, 3, 1)}));

TEST_F(Arrears, OverpayingFamilyDoesNotOwe)
{
    addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Intreaga"));
    addIncome(QStringLiteral("P1"), 115, QDate(2026, 2, 1));

    const ArrearsRow row = rowOf(QStringLiteral("P1"));
    EXPECT_DOUBLE_EQ(row.rest, -15);
    EXPECT_FALSE(row.owes());
}

TEST_F(Arrears, PaidInSeveralReceiptsLeavesNothingOwed)
{
    setWholeValue(150);
    addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Intreaga"));
    for (const double part : {43.06, 104.02, 2.92})
        addIncome(QStringLiteral("P1"), part, QDate(2026, 2, 1));

    const ArrearsRow row = rowOf(QStringLiteral("P1"));
    EXPECT_NEAR(row.rest, 0, 1e-9);
    EXPECT_FALSE(row.owes());
}

TEST_F(Arrears, NamesakesAreTwoRowsToldApartByCode)
{
    addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Intreaga"));
    addParishioner(QStringLiteral("P2"), QStringLiteral("Popescu Ion"), QStringLiteral("Intreaga"));
    addIncome(QStringLiteral("P2"), 60, QDate(2026, 2, 1));

    const QList<ArrearsRow> all = rows();
    EXPECT_EQ(codesOf(all), (QStringList{QStringLiteral("P1"), QStringLiteral("P2")}));
    EXPECT_EQ(all[0].composedName, QStringLiteral("Popescu Ion (P1)"));
    EXPECT_DOUBLE_EQ(all[0].rest, 100);
    EXPECT_DOUBLE_EQ(all[1].rest, 40);
}

TEST_F(Arrears, OrdersNamesInTheRomanianAlphabetOrCodesAsText)
{
    addParishioner(QStringLiteral("9"), QStringLiteral("Bălan Vasile"), QStringLiteral("Intreaga"));
    addParishioner(QStringLiteral("10"), QStringLiteral("Âncuța Elena"), QStringLiteral("Intreaga"));
    addParishioner(QStringLiteral("2"), QStringLiteral("Ăgăpie Ion"), QStringLiteral("Intreaga"));
    addParishioner(QStringLiteral("30"), QStringLiteral("andrei Ana"), QStringLiteral("Intreaga"));

    EXPECT_EQ(namesOf(rows()), (QStringList{QStringLiteral("andrei Ana"), QStringLiteral("Ăgăpie Ion"),
                                            QStringLiteral("Âncuța Elena"), QStringLiteral("Bălan Vasile")}));
    EXPECT_EQ(codesOf(rows(ArrearsOrder::ByCode)), (QStringList{QStringLiteral("10"), QStringLiteral("2"),
                                                                QStringLiteral("30"), QStringLiteral("9")}));
}

TEST_F(Arrears, AReportMayReplaceTheOrderLine)
{
    addParishioner(QStringLiteral("A"), QStringLiteral("Zamfir"), QStringLiteral("Intreaga"));
    addParishioner(QStringLiteral("B"), QStringLiteral("Albu"), QStringLiteral("Intreaga"));
    QStringList lines = arrearsQueryLines();
    ASSERT_EQ(lines.size(), 7);
    lines[orderLineIndex] = QStringLiteral("ORDER BY D.Cod_enorias DESC");

    QSqlQuery query = Sql::exec(db, lines.join(QLatin1Char('\n')),
                                {{QStringLiteral(":CodVen"), contributionCode},
                                 {QStringLiteral(":Data"), arrearsDate.toString(Qt::ISODate)}});
    QStringList codes;
    while (query.next())
        codes << query.value(0).toString();
    EXPECT_EQ(codes, (QStringList{QStringLiteral("B"), QStringLiteral("A")}));
}

TEST_F(Arrears, ReadsTheParametersOfTheParish)
{
    setWholeValue(240);
    Sql::exec(db, QStringLiteral("UPDATE Contor SET CodVenContrib = :c"),
              {{QStringLiteral(":c"), otherIncomeCode}});
    addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Jumatate"));
    addIncome(QStringLiteral("P1"), 20, QDate(2026, 2, 1), otherIncomeCode);
    addIncome(QStringLiteral("P1"), 50, QDate(2026, 2, 1), contributionCode);

    const ContributionParameters parameters = ContributionParameters::read(db);
    EXPECT_DOUBLE_EQ(parameters.wholeValue, 240);
    EXPECT_EQ(parameters.incomeCode, otherIncomeCode);
    EXPECT_DOUBLE_EQ(rowOf(QStringLiteral("P1")).rest, 100);
}

TEST_F(Arrears, RefusesWithoutTheContributionIncomeCode)
{
    Sql::exec(db, QStringLiteral("UPDATE Contor SET CodVenContrib = NULL"));
    addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Intreaga"));
    try {
        rows();
        FAIL() << "no refusal";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("Codul de venit pentru contributia anuala")))
            << e.what();
    }
}

TEST_F(Arrears, UnsetWholeValueReadsAsZero)
{
    Sql::exec(db, QStringLiteral("UPDATE Parohia SET Val_contributie = NULL"));
    addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QStringLiteral("Intreaga"), 12.0);
    EXPECT_DOUBLE_EQ(rowOf(QStringLiteral("P1")).due, 12);
}

} // namespace
