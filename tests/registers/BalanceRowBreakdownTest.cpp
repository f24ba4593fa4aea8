#include "registers/BalanceRowBreakdown.h"
#include "db/Sql.h"
#include "registers/CalculBilantUnt.h"
#include "support/Documents.h"
#include "support/TestFolder.h"

#include <QSqlQuery>
#include <cmath>
#include <gtest/gtest.h>

namespace
{

// The delivered balance sheet (its row 22 borne by the expenses' title and by
// the formula of the staff costs), with an expense type 22 of its own, an
// income type 3 that also has payments, salary lines and documents of every
// kind over the year.
class BalanceRowBreakdownTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = folder.openWorkingYear();
        Documents::setYear(db, 2024, 1200, 300);
        Sql::exec(db, QStringLiteral(
                          "INSERT INTO Tip_cheltuieli (Cod_cheltuiala, Denumire) VALUES (22, 'Diverse'), "
                          "(3, 'Restituiri')"));
        Documents::receipt(db, 1, QStringLiteral("2024-01-15"), 500, QStringLiteral("Casa"), {}, 7);
        Documents::receipt(db, 2, QStringLiteral("2024-02-10"), 120.35, QStringLiteral("Banca"), {}, 3);
        Documents::receipt(db, 3, QStringLiteral("2024-04-02"), 800, QStringLiteral("Casa"), {}, 7);
        Documents::receipt(db, 4, QStringLiteral("2024-06-30"), 99.99, QStringLiteral("Casa"), {}, 4);
        // A type's first payment in the middle of the year replaces its incomes.
        Documents::payment(db, 1, QStringLiteral("2024-05-05"), 40, QStringLiteral("Casa"), {}, 3);
        Documents::payment(db, 2, QStringLiteral("2024-03-03"), 75.5, QStringLiteral("Casa"), {}, 22);
        Documents::payment(db, 3, QStringLiteral("2024-07-07"), 310, QStringLiteral("Banca"), {}, 26);
        Documents::salaryOrder(db, 1, QStringLiteral("2024-01-31"), QStringLiteral("Casa"),
                               {{23, 1500}, {24, 250}});
        Documents::salaryOrder(db, 2, QStringLiteral("2024-05-31"), QStringLiteral("Banca"),
                               {{23, 1500}, {22, 60}});
        Documents::deposit(db, 1, QStringLiteral("2024-03-01"), 400);
    }

    struct StoredRow {
        qint64 rowid;
        QString name;
        double execution;
    };
    QList<StoredRow> storedRows()
    {
        QList<StoredRow> rows;
        for (QSqlQuery q =
                 Sql::exec(db, QStringLiteral("SELECT rowid, Denumire, ifnull(Executie, 0) FROM Bilant "
                                              "ORDER BY Nr_rand, rowid"));
             q.next();)
            rows << StoredRow{q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toDouble()};
        return rows;
    }

    TestFolder folder;
    QSqlDatabase db;
};

} // namespace

TEST_F(BalanceRowBreakdownTest, EveryRowsListAddsUpToItsFigureForWholeYearAndPeriods)
{
    const QList<std::pair<QDate, QDate>> periods = {
        {{2024, 1, 1}, {2024, 12, 31}}, {{2024, 3, 1}, {2024, 6, 30}}, {{2024, 5, 31}, {2024, 5, 31}}};
    for (const auto& [from, to] : periods) {
        SCOPED_TRACE(from.toString(Qt::ISODate).toStdString() + " " + to.toString(Qt::ISODate).toStdString());
        CalculBilantPerioada(db, from, to, false);
        int withLines = 0;
        for (const StoredRow& row : storedRows()) {
            SCOPED_TRACE(row.name.toStdString());
            const BalanceRowBreakdown::Breakdown b =
                BalanceRowBreakdown::ofRow(db, row.rowid, from, to, false);
            ASSERT_TRUE(b.total.has_value());
            EXPECT_NEAR(*b.total, row.execution, 1e-9);
            double sum = 0;
            for (const BalanceRowBreakdown::Line& l : b.lines)
                sum += l.amount;
            EXPECT_NEAR(sum, *b.total, 1e-9);
            withLines += b.lines.isEmpty() ? 0 : 1;
        }
        EXPECT_GT(withLines, 5);
    }
}

TEST_F(BalanceRowBreakdownTest, InThousandsTheListIsInLeiBeforeTheRounding)
{
    CalculBilantPerioada(db, {2024, 1, 1}, {2024, 12, 31}, true);
    for (const StoredRow& row : storedRows()) {
        SCOPED_TRACE(row.name.toStdString());
        const BalanceRowBreakdown::Breakdown b =
            BalanceRowBreakdown::ofRow(db, row.rowid, {2024, 1, 1}, {2024, 12, 31}, true);
        ASSERT_TRUE(b.total.has_value());
        if (b.lines.isEmpty() || b.lines.first().kind.startsWith(QLatin1String("Rand"))) {
            EXPECT_NEAR(*b.total, row.execution, 1e-9); // a formula adds the rounded figures
        } else {
            EXPECT_DOUBLE_EQ(std::nearbyint(*b.total / 1000 * 100) / 100, row.execution);
            EXPECT_EQ(b.note, QStringLiteral("Sume in lei, inainte de rotunjirea la mii lei."));
        }
    }
}

TEST_F(BalanceRowBreakdownTest, WhatTheListsHold)
{
    CalculBilant(db, {2024, 12, 31}, false);
    const auto rowNamed = [this](const QString& name) {
        for (const StoredRow& r : storedRows())
            if (r.name == name)
                return r.rowid;
        return qint64(0);
    };
    const QDate from(2024, 1, 1), to(2024, 12, 31);
    // The title row that bears 22 first receives type 22's payment and salary line.
    BalanceRowBreakdown::Breakdown title =
        BalanceRowBreakdown::ofRow(db, rowNamed(QStringLiteral("CHELTUIELI")), from, to, false);
    ASSERT_EQ(title.lines.size(), 2);
    EXPECT_EQ(title.lines[0].kind, QStringLiteral("Plata"));
    EXPECT_EQ(title.lines[1].kind, QStringLiteral("Ordonantare salarii"));
    EXPECT_DOUBLE_EQ(*title.total, 135.5);
    // The formula row of the same number lists the rows it adds.
    BalanceRowBreakdown::Breakdown staff =
        BalanceRowBreakdown::ofRow(db, rowNamed(QStringLiteral("Cheltuieli cu personalul")), from, to, false);
    ASSERT_EQ(staff.lines.size(), 3);
    EXPECT_EQ(staff.lines[0].number, 23);
    EXPECT_DOUBLE_EQ(staff.lines[0].amount, 3000);
    EXPECT_DOUBLE_EQ(*staff.total, 3250);
    // The opening balance is the first line of row 1 over the year.
    BalanceRowBreakdown::Breakdown opening = BalanceRowBreakdown::ofRow(
        db, rowNamed(QStringLiteral("Sold la inceputul anului (casa si banca)")), from, to, false);
    ASSERT_EQ(opening.lines.size(), 1);
    EXPECT_DOUBLE_EQ(opening.lines[0].amount, 1500);
    // A type's list from the search: payments and salary lines of a period.
    BalanceRowBreakdown::Breakdown type23 =
        BalanceRowBreakdown::ofType(db, 23, false, {2024, 5, 1}, {2024, 5, 31});
    ASSERT_EQ(type23.lines.size(), 1);
    EXPECT_DOUBLE_EQ(*type23.total, 1500);
    BalanceRowBreakdown::Breakdown type7 = BalanceRowBreakdown::ofType(db, 7, true, from, to);
    EXPECT_DOUBLE_EQ(*type7.total, 1300);
}
