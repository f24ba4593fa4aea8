#include "printing/SumaInLitere.h"

#include <QStringList>
#include <cmath>

namespace
{

struct Spelling {
    QStringList digits; // 1 to 9
    QString two;        // feminine two
    QString hundred;
    QString andWord;
    QStringList groupOfTwo;
};

const Spelling& spelling(bool diacritics)
{
    static const Spelling plain{{"unu", "doi", "trei", "patru", "cinci", "sase", "sapte", "opt", "noua"},
                                QStringLiteral("doua"),
                                QStringLiteral("suta"),
                                QStringLiteral("si"),
                                {"doi lei", "doua mii", "doua milioane", "doua miliarde", "doua trilioane"}};
    static const Spelling romanian{{"unu", "doi", "trei", "patru", "cinci", QStringLiteral("şase"),
                                    QStringLiteral("şapte"), "opt", QStringLiteral("nouă")},
                                   QStringLiteral("două"),
                                   QStringLiteral("sută"),
                                   QStringLiteral("şi"),
                                   {"doi lei", QStringLiteral("două mii"), QStringLiteral("două milioane"),
                                    QStringLiteral("două miliarde"), QStringLiteral("două trilioane")}};
    return diacritics ? romanian : plain;
}

const char* const pluralUnits[] = {"lei", "mii", "milioane", "miliarde", "trilioane"};
const char* const groupOfOne[] = {"un leu", "o mie", "un milion", "un miliard", "un trilion"};

} // namespace

QString SpellGroup(int hundreds, int tens, int units, bool diacritics, int group)
{
    const Spelling& s = spelling(diacritics);
    const auto digit = [&](int d) { return s.digits[d - 1]; };
    QString text;
    if (hundreds == 1)
        text += QStringLiteral("o") + s.hundred;
    else if (hundreds == 2)
        text += s.two + QStringLiteral("sute");
    else if (hundreds >= 3)
        text += digit(hundreds) + QStringLiteral("sute");

    if (tens == 1) {
        if (units == 0)
            text += QStringLiteral("zece");
        else if (units == 1)
            text += QStringLiteral("unsprezece");
        else if (units == 2)
            text += QStringLiteral("doisprezece");
        else
            text += digit(units) + QStringLiteral("sprezece");
        return text;
    }
    if (tens == 2)
        text += s.two + QStringLiteral("zeci");
    else if (tens >= 3)
        text += digit(tens) + QStringLiteral("zeci");

    if (units != 0) {
        if (tens != 0)
            text += s.andWord;
        if (group > 1 && units == 1 && (tens != 0 || hundreds != 0))
            text += QStringLiteral("una");
        else if (group > 1 && units == 2)
            text += s.two;
        else
            text += digit(units);
    }
    return text;
}

QString SumaInLitere(bool diacritics, double amount)
{
    if (amount == 0)
        return QString();
    const Spelling& s = spelling(diacritics);
    // Whole bani, an exact half going to the even neighbour.
    const qint64 n = qint64(std::nearbyint(amount * 100.0));
    const auto digitAt = [n](int position) { // 1: units of the bani
        qint64 v = n;
        for (int i = 1; i < position; ++i)
            v /= 10;
        return int(v % 10);
    };

    QString b = SpellGroup(0, digitAt(2), digitAt(1), diacritics, 1);
    if (!b.isEmpty()) {
        if (b == QLatin1String("unu"))
            b = QStringLiteral("un ban");
        else
            b += digitAt(2) <= 1 ? QStringLiteral("bani") : QStringLiteral("de bani");
    }
    const qint64 lei = n / 100;
    for (int group = 1; group <= 5; ++group) {
        qint64 rest = lei;
        for (int i = 1; i < group; ++i)
            rest /= 1000;
        if (rest == 0 && group > 1)
            break;
        const int units = digitAt(3 * group), tens = digitAt(3 * group + 1),
                  hundreds = digitAt(3 * group + 2);
        const QString w = SpellGroup(hundreds, tens, units, diacritics, group);
        if (!w.isEmpty()) {
            if (group == 1 && !b.isEmpty())
                b = s.andWord + QLatin1Char(' ') + b;
            if (w == QLatin1String("unu"))
                b = QLatin1Char(' ') + QString::fromLatin1(groupOfOne[group - 1]) + QLatin1Char(' ') + b;
            else if (w == QLatin1String("doi"))
                b = QLatin1Char(' ') + s.groupOfTwo[group - 1] + QLatin1Char(' ') + b;
            else
                b = w + QLatin1Char(' ') + QString::fromLatin1(pluralUnits[group - 1]) + QLatin1Char(' ') + b;
        } else if (group == 1) {
            // No lei of their own: "lei" alone when there are no bani, the
            // thousands' "lei si" before the bani, and the bani alone under one leu.
            if (b.isEmpty())
                b = QStringLiteral("lei");
            else if (lei >= 1000)
                b = QStringLiteral("lei ") + s.andWord + QLatin1Char(' ') + b;
        }
    }
    return b;
}
