// Typed numbers and dates: whatever the user types, the readers end, accept
// only what they promise to accept, and read it exactly.
#include "support/SeededRandom.h"

#include "db/DateFormat.h"
#include "db/TypedNumber.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

namespace
{

const QStringList numberSeeds = {
    QStringLiteral("12,50"), QStringLiteral("1.250"),    QStringLiteral("-3"),
    QStringLiteral("0,005"), QStringLiteral("+7.5"),     QStringLiteral("1e3"),
    QStringLiteral(" 42 "),  QStringLiteral("1.000,00"), QStringLiteral(",5"),
    QStringLiteral("5,"),    QStringLiteral("--1"),      QStringLiteral("999999999999999"),
};

QString describe(const SeededRandom& random, const QString& text)
{
    return QStringLiteral("seed %1, text \"%2\"").arg(random.seed()).arg(text);
}

} // namespace

TEST(TypedNumberFuzz, AcceptsOnlyPlainNumbersAndNeverAnEndlessValue)
{
    const QLocale romanian(QLocale::Romanian, QLocale::Romania);
    static const QRegularExpression plainNumber(QStringLiteral("^[+-]?[0-9]*[.,]?[0-9]*$"));
    SeededRandom random;
    for (int i = 0, n = SeededRandom::runs(20000); i < n; ++i) {
        const QString text =
            random.chance(50) ? random.mutated(random.pick(numberSeeds), numberSeeds) : random.anyText(40);
        const std::optional<double> value = TypedNumber::read(text, romanian);
        if (!value)
            continue;
        const QString core = text.trimmed();
        ASSERT_TRUE(plainNumber.match(core).hasMatch()) << describe(random, text).toStdString();
        ASSERT_TRUE(std::isfinite(*value)) << describe(random, text).toStdString();
    }
}

TEST(TypedNumberFuzz, ReadsEveryPlainNumberExactlyAsWritten)
{
    const QLocale romanian(QLocale::Romanian, QLocale::Romania);
    SeededRandom random;
    for (int i = 0, n = SeededRandom::runs(20000); i < n; ++i) {
        const QString sign = random.pick(QStringList{QString(), QStringLiteral("-"), QStringLiteral("+")});
        const QString whole = random.text(QStringLiteral("0123456789"), 12);
        const QString fraction = random.text(QStringLiteral("0123456789"), 4);
        if (whole.isEmpty() && fraction.isEmpty())
            continue;
        const double expected = (whole + QLatin1Char('.') + fraction + QLatin1Char('0')).toDouble() *
                                (sign == QLatin1String("-") ? -1 : 1);
        const QString withComma =
            sign + whole + (fraction.isEmpty() ? QString() : QLatin1Char(',') + fraction);
        const std::optional<double> read = TypedNumber::read(withComma, romanian);
        ASSERT_TRUE(read.has_value()) << describe(random, withComma).toStdString();
        ASSERT_EQ(*read, expected) << describe(random, withComma).toStdString();

        // The keypad's point reads the same, except where it may be a thousands separator.
        const QString withPoint =
            sign + whole + (fraction.isEmpty() ? QString() : QLatin1Char('.') + fraction);
        const std::optional<double> keypad = TypedNumber::read(withPoint, romanian);
        static const QRegularExpression thousands(QStringLiteral("^[1-9][0-9]{0,2}$"));
        if (fraction.size() == 3 && thousands.match(whole).hasMatch()) {
            ASSERT_FALSE(keypad.has_value()) << describe(random, withPoint).toStdString();
        } else {
            ASSERT_TRUE(keypad.has_value()) << describe(random, withPoint).toStdString();
            ASSERT_EQ(*keypad, expected) << describe(random, withPoint).toStdString();
        }
    }
}

TEST(TypedNumberFuzz, RefusesNumbersTooLongForAnAmount)
{
    const QLocale romanian(QLocale::Romanian, QLocale::Romania);
    // Three hundred and ten nines make a double of infinity: an amount that
    // would print as "inf" and poison every total it enters.
    for (const int digits : {309, 310, 400, 5000}) {
        const QString text(digits, QLatin1Char('9'));
        const std::optional<double> value = TypedNumber::read(text, romanian);
        EXPECT_TRUE(!value || std::isfinite(*value)) << digits << " digits";
    }
}

TEST(DateFuzz, AnAcceptedDateIsARealDateWrittenBackTheSameWay)
{
    const QStringList seeds = {QStringLiteral("01.03.2024"), QStringLiteral("31.02.2024"),
                               QStringLiteral("29.02.2023"), QStringLiteral("1.1.1"),
                               QStringLiteral("__.__.____"), QStringLiteral("00.00.0000"),
                               QStringLiteral("31.12.9999"), QStringLiteral("12/03/2024"),
                               QStringLiteral("31.12.-999"), QStringLiteral("+1.+1.+999")};
    SeededRandom random;
    for (int i = 0, n = SeededRandom::runs(20000); i < n; ++i) {
        const QString text =
            random.chance(70) ? random.mutated(random.pick(seeds), seeds) : random.anyText(20);
        const QDate date = DateFormat::fromShortText(text);
        if (!date.isValid())
            continue;
        ASSERT_GE(date.year(), 1) << describe(random, text).toStdString();
        ASSERT_LE(date.year(), 9999) << describe(random, text).toStdString();
        ASSERT_EQ(DateFormat::fromShortText(DateFormat::toShortText(date)), date)
            << describe(random, text).toStdString();
    }
}

TEST(DateFuzz, SignsInsideTheNumbersAreRefused)
{
    for (const char* text : {"31.12.-999", "+1.+1.2024", "01.-1.2024", "1.1.+999", "01.03.2024x"})
        EXPECT_FALSE(DateFormat::fromShortText(QString::fromLatin1(text)).isValid()) << text;
    EXPECT_EQ(DateFormat::fromShortText(QStringLiteral("1.3.2024")), QDate(2024, 3, 1));
}
