#include "db/RomanianCollation.h"

#include "db/DbError.h"
#include "db/SqliteHandle.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <sqlite3.h>

namespace
{

// Letters come after digits, digits after blanks and punctuation; within the
// letters each Romanian letter has its own place in the alphabet.
int weight(QChar c)
{
    static const QString alphabet = QStringLiteral("aăâbcdefghiîjklmnopqrsștțuvwxyz");
    const QChar lower = c.toLower();
    QChar normalised = lower;
    if (lower == QChar(0x015F))
        normalised = QChar(0x0219); // ş -> ș
    else if (lower == QChar(0x0163))
        normalised = QChar(0x021B); // ţ -> ț
    const int letter = alphabet.indexOf(normalised);
    if (letter >= 0)
        return 1000 + letter;
    if (c.isDigit())
        return 500 + c.digitValue();
    if (c.unicode() < 128)
        return c.unicode();
    return 2000 + normalised.unicode();
}

int collate(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    const QString textA = QString::fromUtf8(static_cast<const char*>(a), lengthA);
    const QString textB = QString::fromUtf8(static_cast<const char*>(b), lengthB);
    return compareRomanian(textA, textB);
}

} // namespace

int compareRomanian(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i] == b[i])
            continue;
        const int diff = weight(a[i]) - weight(b[i]);
        if (diff != 0)
            return diff;
    }
    return int(a.size() - b.size());
}

std::u32string romanianSortKey(QStringView text)
{
    std::u32string key(size_t(text.size()), U'\0');
    for (qsizetype i = 0; i < text.size(); ++i)
        key[size_t(i)] = char32_t(weight(text[i]));
    return key;
}

void registerRomanianCollation(const QSqlDatabase& db)
{
    if (sqlite3_create_collation(sqliteHandle(db), "RO", SQLITE_UTF8, nullptr, collate) != SQLITE_OK)
        throw DbError(QStringLiteral("Ordinea alfabetica romaneasca nu poate fi inregistrata"));
}
