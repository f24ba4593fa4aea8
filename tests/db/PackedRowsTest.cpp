#include "db/PackedRows.h"

#include <QDate>
#include <gtest/gtest.h>

// Every type a field can hold comes back as it went in, nulls included,
// wherever they stand between the texts.
TEST(PackedRows, ValuesComeBackAsTheyWentIn)
{
    PackedRows rows;
    rows.setColumnTypes({FieldType::String, FieldType::SmallInt, FieldType::String, FieldType::Float,
                         FieldType::Date, FieldType::AutoInc, FieldType::Integer, FieldType::String,
                         FieldType::String});
    const QList<QVariantList> cases = {
        {QStringLiteral("Ștefan Țurcanu"), 7, QStringLiteral("Îonașcu"), 1234.56, QDate(2026, 2, 28),
         qint64(5000000000), -12, QStringLiteral(""), QStringLiteral("ultimul")},
        {QVariant(), QVariant(), QStringLiteral("doar al doilea text"), QVariant(), QVariant(), QVariant(),
         QVariant(), QVariant(), QStringLiteral("și ultimul")},
        {QStringLiteral("primul"), 32767, QVariant(), -0.01, QDate(1900, 1, 1), qint64(1), 2147483647,
         QStringLiteral("al treilea"), QVariant()},
        QVariantList(9),
    };
    QList<PackedRows::RowRef> packed;
    for (const QVariantList& values : cases)
        packed << rows.pack(values);
    for (int r = 0; r < cases.size(); ++r) {
        for (int c = 0; c < rows.columnCount(); ++c) {
            SCOPED_TRACE(testing::Message() << "row " << r << ", column " << c);
            const QVariant& expected = cases[r][c];
            const QVariant got = rows.value(packed[r], c);
            EXPECT_EQ(rows.isNull(packed[r], c), expected.isNull());
            EXPECT_EQ(got.isNull(), expected.isNull());
            if (!expected.isNull())
                EXPECT_EQ(got.toString(), expected.toString());
        }
    }
}

// Rows stay where they are while many more are added after them.
TEST(PackedRows, RowsStayValidAsTheStoreGrows)
{
    PackedRows rows;
    rows.setColumnTypes({FieldType::String, FieldType::Float});
    const PackedRows::RowRef first = rows.pack({QStringLiteral("primul rand"), 1.5});
    const QString longText(5000, QLatin1Char('x')); // larger than a block
    for (int i = 0; i < 20000; ++i)
        rows.pack({i % 100 == 0 ? longText : QStringLiteral("rand %1").arg(i), double(i)});
    EXPECT_EQ(rows.value(first, 0).toString(), QStringLiteral("primul rand"));
    EXPECT_EQ(rows.value(first, 1).toDouble(), 1.5);
}
