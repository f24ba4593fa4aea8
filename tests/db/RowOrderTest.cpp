#include "db/RomanianCollation.h"
#include "db/RowOrder.h"

#include <QDate>
#include <gtest/gtest.h>

namespace
{

int sign(int value)
{
    return (value > 0) - (value < 0);
}

// The sort keys and the direct comparison must order names alike: the rows
// are sorted by keys, and then searched and placed by the comparison.
TEST(RowOrder, CollationKeysOrderAsTheDirectComparison)
{
    const QStringList names = {
        QStringLiteral("Ana"),     QStringLiteral("ana"),      QStringLiteral("Ăna"),   QStringLiteral("Âna"),
        QStringLiteral("Ion"),     QStringLiteral("Îon"),      QStringLiteral("Ștefan"), QStringLiteral("Ştefan"),
        QStringLiteral("stefan"),  QStringLiteral("Sorin"),    QStringLiteral("Țică"),  QStringLiteral("Ţică"),
        QStringLiteral("Tudor"),   QStringLiteral("Zamfir"),   QStringLiteral(""),       QStringLiteral("Ana Maria"),
        QStringLiteral("Anamaria"), QStringLiteral("Popa-Ion"), QStringLiteral("Popa Ion"), QStringLiteral("2 Mai")};
    for (const QString& a : names)
        for (const QString& b : names) {
            const int direct = sign(compareRomanian(a, b));
            const int byKeys = sign(romanianSortKey(a).compare(romanianSortKey(b)));
            EXPECT_EQ(direct, byKeys) << a.toStdString() << " / " << b.toStdString();
            EXPECT_EQ(sign(RowOrder::compareValues(a, b, FieldType::String, true)), direct);
        }
}

TEST(RowOrder, SortsNullsFirstThenByValueThenByRowIdentity)
{
    struct Row {
        QVariant name;
        QVariant date;
        qint64 rowid;
    };
    const QList<Row> rows = {
        {QStringLiteral("Ștefan"), QDate(2026, 2, 1), 1}, {QStringLiteral("ana"), QDate(2026, 1, 5), 2},
        {QVariant(), QDate(2026, 1, 1), 3},                {QStringLiteral("Ana"), QDate(2026, 1, 5), 4},
        {QStringLiteral("Ana"), QVariant(), 5},            {QStringLiteral("stefan"), QDate(2026, 1, 9), 6}};
    const QList<OrderColumn> order = {{0, FieldType::String, true}, {1, FieldType::Date, false}};
    const std::vector<qsizetype> sorted = RowOrder::sorted(
        rows.size(), order,
        [&](qsizetype row, int field) { return field == 0 ? rows[row].name : rows[row].date; },
        [&](qsizetype row) { return rows[row].rowid; });
    std::vector<qint64> ids;
    for (const qsizetype r : sorted)
        ids.push_back(rows[r].rowid);
    // ana/Ana are equal names: by date (a null date first), then by identity.
    EXPECT_EQ(ids, (std::vector<qint64>{3, 5, 2, 4, 6, 1}));
}

// Numbers and dates are compared directly in searches, and by their keys in sorts.
TEST(RowOrder, NumbersAndDatesCompareAsTheirKeys)
{
    const QList<std::pair<QVariant, FieldType>> values = {
        {QVariant(), FieldType::Float}, {-2.5, FieldType::Float}, {0.0, FieldType::Float}, {12.5, FieldType::Float},
        {QVariant(), FieldType::Date},  {QDate(2025, 12, 31), FieldType::Date}, {QDate(2026, 1, 1), FieldType::Date}};
    for (const auto& [a, type] : values)
        for (const auto& [b, otherType] : values)
            if (type == otherType)
                EXPECT_EQ(sign(RowOrder::compareValues(a, b, type, false)),
                          sign(RowOrder::compare(RowOrder::keyOf(a, type, false), RowOrder::keyOf(b, type, false))))
                    << a.toString().toStdString() << " / " << b.toString().toStdString();
}

TEST(RowOrder, ARowNotStoredYetGoesAfterItsEquals)
{
    EXPECT_GT(RowOrder::compareRowIds(0, 7), 0);
    EXPECT_LT(RowOrder::compareRowIds(7, 0), 0);
    EXPECT_LT(RowOrder::compareRowIds(3, 7), 0);
    EXPECT_EQ(RowOrder::compareRowIds(0, 0), 0);
}

TEST(RowOrder, MatchesTextsWholeOrByTheirBeginning)
{
    const LocateOptions loose = LocateOption::CaseInsensitive | LocateOption::PartialKey;
    EXPECT_TRUE(RowOrder::matches(QStringLiteral("Ștefan Ion"), QStringLiteral("ştef"), FieldType::String, loose));
    // ș is a letter of its own in the Romanian alphabet, not an s.
    EXPECT_FALSE(RowOrder::matches(QStringLiteral("Ștefan Ion"), QStringLiteral("stef"), FieldType::String, loose));
    EXPECT_TRUE(RowOrder::matches(QStringLiteral("Ştefan"), QStringLiteral("ștefan"), FieldType::String,
                                  LocateOption::CaseInsensitive));
    EXPECT_FALSE(RowOrder::matches(QStringLiteral("Ștefan"), QStringLiteral("ștef"), FieldType::String,
                                   LocateOption::CaseInsensitive)); // whole texts only
    EXPECT_FALSE(RowOrder::matches(QStringLiteral("Stefan"), QStringLiteral("stefan"), FieldType::String, {}));
    EXPECT_TRUE(RowOrder::matches(12.5, 12.5, FieldType::Float, {}));
    EXPECT_FALSE(RowOrder::matches(QVariant(), 0.0, FieldType::Float, {}));
    EXPECT_TRUE(RowOrder::matches(QVariant(), QVariant(), FieldType::Date, {}));
}

} // namespace
