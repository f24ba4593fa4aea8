#include "db/DbError.h"
#include "db/FieldValue.h"

#include <QDate>
#include <gtest/gtest.h>

// A field's values read from what is typed and formatted back, without a
// database: the tests run under the Romanian locale (comma decimals, point
// thousands).
namespace
{

FieldInfo fieldOf(FieldType type, const QString& editFormat = {}, const QString& displayFormat = {})
{
    FieldInfo info;
    info.name = QStringLiteral("Camp");
    info.type = type;
    info.size = 20;
    info.editFormat = editFormat;
    info.displayFormat = displayFormat;
    return info;
}

struct ReadCase {
    const char* typed;
    FieldType type;
    const char* editFormat;
    QVariant expected;      // when read
    const char* refusal;    // a part of the message when refused
};

class FieldValueReading : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(FieldValueReading, ReadsOrRefusesWithTheFieldNamed)
{
    const ReadCase& c = GetParam();
    const FieldInfo info = fieldOf(c.type, QString::fromUtf8(c.editFormat));
    const QString typed = QString::fromUtf8(c.typed);
    if (c.refusal) {
        try {
            FieldValue::read(typed, info);
            FAIL() << "accepted " << c.typed;
        } catch (const DbError& e) {
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.refusal))) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains(QStringLiteral("Camp"))) << e.text().toStdString();
        }
        return;
    }
    const QVariant value = FieldValue::read(typed, info);
    EXPECT_EQ(value, c.expected) << c.typed;
    EXPECT_EQ(value.isNull(), c.expected.isNull()) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    TypedTexts, FieldValueReading,
    ::testing::Values(
        ReadCase{"12,50", FieldType::Float, "0.00", 12.5, nullptr},
        ReadCase{"12.5", FieldType::Float, "0.00", 12.5, nullptr}, // the keypad's point
        ReadCase{"-3", FieldType::Float, "", -3.0, nullptr},
        ReadCase{"12,345", FieldType::Float, "0.00", {}, "prea multe zecimale"},
        ReadCase{"12,340", FieldType::Float, "0.00", 12.34, nullptr}, // trailing zeros need no decimals
        ReadCase{"12,345", FieldType::Float, "", 12.345, nullptr},    // no fixed decimals: all kept
        ReadCase{"1.250", FieldType::Float, "0.00", {}, "se poate citi si ca 1250, si ca 1,250"},
        ReadCase{"abc", FieldType::Float, "", {}, "nu este un numar"},
        ReadCase{"", FieldType::Float, "", QVariant(), nullptr},
        ReadCase{"42", FieldType::Integer, "", 42, nullptr},
        ReadCase{"42,0", FieldType::Integer, "", {}, "nu este un numar intreg"},
        ReadCase{"1.000", FieldType::Integer, "", {}, "se poate citi"},
        ReadCase{"32767", FieldType::SmallInt, "", 32767, nullptr},
        ReadCase{"32768", FieldType::SmallInt, "", {}, "intre -32768 si 32767"},
        ReadCase{"3000000000", FieldType::Integer, "", {}, "in afara acestor limite"},
        ReadCase{"7", FieldType::AutoInc, "", QVariant(qint64(7)), nullptr},
        ReadCase{"01.03.2026", FieldType::Date, "", QDate(2026, 3, 1), nullptr},
        ReadCase{"2026-03-01", FieldType::Date, "", QDate(2026, 3, 1), nullptr},
        ReadCase{"  .  .    ", FieldType::Date, "", QVariant(), nullptr}, // an empty date mask
        ReadCase{"31.02.2026", FieldType::Date, "", {}, "nu este o data calendaristica"},
        ReadCase{"oricare text", FieldType::String, "", QStringLiteral("oricare text"), nullptr}));

TEST(FieldValue, ValuesThatAreNotTextAreTakenAsTheyAre)
{
    EXPECT_EQ(FieldValue::read(12.345, fieldOf(FieldType::Float, QStringLiteral("0.00"))), QVariant(12.345));
    EXPECT_EQ(FieldValue::read(5.0, fieldOf(FieldType::Integer)), QVariant(5));
    EXPECT_THROW(FieldValue::read(5.5, fieldOf(FieldType::Integer)), DbError);
    EXPECT_TRUE(FieldValue::read(QVariant(), fieldOf(FieldType::Date)).isNull());
}

TEST(FieldValue, FormatsForTheEyeAndForEditing)
{
    const FieldInfo amount = fieldOf(FieldType::Float, QStringLiteral("0.00"), QStringLiteral("#,##0.00"));
    EXPECT_EQ(FieldValue::format(1234.5, amount, false), QStringLiteral("1.234,50"));
    EXPECT_EQ(FieldValue::format(1234.5, amount, true), QStringLiteral("1234,50"));
    EXPECT_EQ(FieldValue::format(QDate(2026, 3, 1), fieldOf(FieldType::Date), false), QStringLiteral("01.03.2026"));
    EXPECT_EQ(FieldValue::format(QVariant(), amount, false), QString());
    // What is shown reads back as the same value.
    EXPECT_EQ(FieldValue::read(FieldValue::format(1234.5, amount, true), amount), QVariant(1234.5));
}

TEST(FieldValue, StoresDatesAsIsoText)
{
    EXPECT_EQ(FieldValue::toStore(QDate(2026, 3, 1), fieldOf(FieldType::Date)), QVariant(QStringLiteral("2026-03-01")));
    EXPECT_TRUE(FieldValue::toStore(QVariant(), fieldOf(FieldType::Date)).isNull());
    EXPECT_EQ(FieldValue::toStore(12.5, fieldOf(FieldType::Float)), QVariant(12.5));
}

} // namespace
