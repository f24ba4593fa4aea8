#include "db/TypedNumber.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "support/TestFolder.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <optional>

namespace
{

enum class Refusal { None, NotANumber, NotWhole, OutOfRange, Ambiguous };

struct Reading {
    double value = 0;
    Refusal refusal = Refusal::None;
};

Reading is(double value)
{
    return {value, Refusal::None};
}
const Reading notANumber{0, Refusal::NotANumber};
const Reading notWhole{0, Refusal::NotWhole};
const Reading outOfRange{0, Refusal::OutOfRange};
// Where the point groups thousands, "1.250" may mean 1250 as well as 1,25.
const Reading ambiguous{0, Refusal::Ambiguous};

// The columns of the test table: one of each number kind a field can be.
const QString real = QStringLiteral("Real");    // float
const QString whole = QStringLiteral("Intreg"); // integer
const QString small = QStringLiteral("Mic");    // smallint

QString expectedMessage(Refusal refusal, const QString& field, const QString& text)
{
    switch (refusal) {
    case Refusal::NotANumber:
        return QStringLiteral("\"%1\" nu este un numar (campul %2)").arg(text, field);
    case Refusal::NotWhole:
        return QStringLiteral("\"%1\" nu este un numar intreg (campul %2)").arg(text, field);
    case Refusal::OutOfRange:
        return QStringLiteral("Campul %1 primeste numere intregi intre %2; %3 este in afara acestor limite")
            .arg(field,
                 field == small ? QStringLiteral("-32768 si 32767")
                                : QStringLiteral("-2147483648 si 2147483647"),
                 text.trimmed());
    case Refusal::Ambiguous: {
        const QString digits = QString(text.trimmed()).remove(QLatin1Char('.'));
        const QString decimal = QString(text.trimmed()).replace(QLatin1Char('.'), QLatin1Char(','));
        return QStringLiteral("\"%1\" se poate citi si ca %2, si ca %3 (campul %4): scrieti miile fara "
                              "punct si zecimalele dupa virgula")
            .arg(text, digits, decimal, field);
    }
    case Refusal::None:
        break;
    }
    return QString();
}

class TypedNumbers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.openWorkingYear();
        Sql::exec(Connection::database(),
                  QStringLiteral("CREATE TABLE Numere (Real FLOAT, Intreg INTEGER, Mic SMALLINT)"));
        numbers.open();
        ASSERT_TRUE(numbers.append());
    }
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::Romanian, QLocale::Romania)); }

    TestFolder folder;
    Dataset numbers{QStringLiteral("Numere")};
};

} // namespace

// Every place that reads a typed number reads it alike: the locale's decimal
// separator or the keypad's point, never a thousands separator.
TEST_F(TypedNumbers, ReadAlikeUnderEveryLocale)
{
    const QLocale locales[] = {QLocale(QLocale::Romanian, QLocale::Romania),
                               QLocale(QLocale::English, QLocale::UnitedStates),
                               QLocale(QLocale::German, QLocale::Germany)};
    const struct {
        const QString& field;
        const char* text;
        Reading romanian, american, german;
    } cases[] = {
        {real, "12,50", is(12.5), notANumber, is(12.5)},
        {real, "12.50", is(12.5), is(12.5), is(12.5)},
        {real, "12.5", is(12.5), is(12.5), is(12.5)}, // the keypad's point is a decimal point
        // ... unless it may as well group thousands, where the locale groups them with it
        {real, "1.250", ambiguous, is(1.25), ambiguous},
        {real, "-999.000", ambiguous, is(-999), ambiguous},
        {real, "0.250", is(0.25), is(0.25), is(0.25)},
        {real, "1.2500", is(1.25), is(1.25), is(1.25)},
        {real, "1234.500", is(1234.5), is(1234.5), is(1234.5)},
        {real, "1,250", is(1.25), notANumber, is(1.25)},
        {real, "1.2.3", notANumber, notANumber, notANumber},
        {real, "1.250,5", notANumber, notANumber, notANumber},
        {real, "1,250.5", notANumber, notANumber, notANumber},
        {real, "12 500", notANumber, notANumber, notANumber},
        {real, "-0,5", is(-0.5), notANumber, is(-0.5)},
        {real, "-0.5", is(-0.5), is(-0.5), is(-0.5)},
        {real, "  +7  ", is(7), is(7), is(7)},
        {real, ",5", is(0.5), notANumber, is(0.5)},
        {real, "1e3", notANumber, notANumber, notANumber},
        {real, "-", notANumber, notANumber, notANumber},
        {real, "--5", notANumber, notANumber, notANumber},
        {real, "5-", notANumber, notANumber, notANumber},
        {real, "zece", notANumber, notANumber, notANumber},
        {whole, "2500", is(2500), is(2500), is(2500)},
        {whole, " -17 ", is(-17), is(-17), is(-17)},
        {whole, "12,5", notWhole, notANumber, notWhole},
        {whole, "12.00", notWhole, notWhole, notWhole},
        {whole, "1.000", ambiguous, notWhole, ambiguous}, // never read as 1
        {whole, "2147483647", is(2147483647.0), is(2147483647.0), is(2147483647.0)},
        {whole, "2147483648", outOfRange, outOfRange, outOfRange},
        {small, "32767", is(32767), is(32767), is(32767)},
        {small, "-32768", is(-32768), is(-32768), is(-32768)},
        {small, "32768", outOfRange, outOfRange, outOfRange},
        {small, "-32769", outOfRange, outOfRange, outOfRange},
        {small, "70000", outOfRange, outOfRange, outOfRange},
    };
    for (const QLocale& locale : locales) {
        QLocale::setDefault(locale);
        for (const auto& c : cases) {
            const Reading expected = locale.language() == QLocale::Romanian  ? c.romanian
                                     : locale.language() == QLocale::English ? c.american
                                                                             : c.german;
            const QString text = QString::fromLatin1(c.text);
            const std::string where =
                (locale.name() + QLatin1Char(' ') + c.field + QStringLiteral(" \"") + text + QLatin1Char('"'))
                    .toStdString();
            ASSERT_TRUE(numbers.setValue(c.field, 99)) << where;
            if (expected.refusal == Refusal::None) {
                ASSERT_NO_THROW(EXPECT_TRUE(numbers.setEditText(c.field, text))) << where;
                EXPECT_DOUBLE_EQ(numbers.asFloat(c.field), expected.value) << where;
                if (c.field == real)
                    EXPECT_EQ(TypedNumber::read(text), expected.value) << where;
                continue;
            }
            try {
                numbers.setEditText(c.field, text);
                ADD_FAILURE() << where << " was taken as " << numbers.asString(c.field).toStdString();
            } catch (const DbError& e) {
                EXPECT_EQ(e.text(), expectedMessage(expected.refusal, c.field, text)) << where;
            }
            EXPECT_DOUBLE_EQ(numbers.asFloat(c.field), 99) << where << ": the record keeps its value";
        }
    }
    // What was read is what is stored.
    QLocale::setDefault(QLocale(QLocale::Romanian, QLocale::Romania));
    ASSERT_TRUE(numbers.setEditText(real, QStringLiteral("1.25")));
    ASSERT_TRUE(numbers.post());
    EXPECT_DOUBLE_EQ(
        Sql::scalar(Connection::database(), QStringLiteral("SELECT Real FROM Numere")).toDouble(), 1.25);
}

// A number field edited with two decimals takes no text needing more; one
// without an edit format takes any.
TEST_F(TypedNumbers, AFieldEditedWithTwoDecimalsRefusesMore)
{
    QLocale::setDefault(QLocale(QLocale::Romanian, QLocale::Romania));
    const struct {
        const char* text;
        int decimals;
        std::optional<double> money; // nothing: refused
        double plain;
    } cases[] = {
        {"12,34", 2, 12.34, 12.34}, {"12,340", 2, 12.34, 12.34}, {"12.5", 1, 12.5, 12.5},
        {"7", 0, 7.0, 7.0},         {"12,345", 3, {}, 12.345},   {"-0,005", 3, {}, -0.005},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TypedNumber::decimalsNeeded(text), c.decimals);
        numbers.setEditFormat(real, QString());
        ASSERT_TRUE(numbers.setEditText(real, text));
        EXPECT_DOUBLE_EQ(numbers.asFloat(real), c.plain);
        numbers.setEditFormat(real, QStringLiteral("0.00"));
        ASSERT_TRUE(numbers.setValue(real, 99));
        if (c.money) {
            ASSERT_TRUE(numbers.setEditText(real, text));
            EXPECT_DOUBLE_EQ(numbers.asFloat(real), *c.money);
        } else {
            try {
                numbers.setEditText(real, text);
                ADD_FAILURE() << "taken as " << numbers.asString(real).toStdString();
            } catch (const DbError& e) {
                EXPECT_EQ(e.text(),
                          QStringLiteral("\"%1\" are prea multe zecimale: campul Real primeste cel mult 2 "
                                         "zecimale")
                              .arg(text));
            }
            EXPECT_DOUBLE_EQ(numbers.asFloat(real), 99) << "the record keeps its value";
        }
    }
}
