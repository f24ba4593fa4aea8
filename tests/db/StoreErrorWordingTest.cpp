#include "db/DbError.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace
{

// The text the user reads before its "Detalii:" line, where the store's own
// words may stand.
QString explanationOf(const QString& text)
{
    return text.section(QStringLiteral("\nDetalii: "), 0, 0);
}

// English words of SQLite's messages that must never reach the explanation.
bool readsEnglish(const QString& text)
{
    static const QRegularExpression english(
        QStringLiteral("\\b(database|disk|image|malformed|locked|unable|file|table|column|constraint|failed|"
                       "readonly|attempt|memory|error|such|full)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return english.match(text).hasMatch();
}

} // namespace

// Each failure a parish meets is told in Romanian, with what to do; the
// store's text is kept only as a detail line where it tells more.
TEST(StoreErrorWording, SqlitesReasonsAreToldInRomanianWithWhatToDo)
{
    const struct {
        const char* native;
        const char* says;     // part of the Romanian explanation
        const char* whatToDo; // part of the advice
        bool detailKept;
    } cases[] = {
        {"database disk image is malformed", "este deteriorat", "Restaurare date", false},
        {"malformed database schema (Venituri)", "este deteriorat", "Restaurare date", false},
        {"file is not a database", "nu este o baza de date", "Restaurare date", false},
        {"unable to open database file", "nu poate fi deschis", "Verificati", false},
        {"attempt to write a readonly database", "protejat la scriere", "repetati operatia", false},
        {"database is locked", "folosita de alt program", "Inchideti", false},
        {"database or disk is full", "Discul este plin", "Eliberati spatiu", false},
        {"disk I/O error", "discului", "Verificati discul", false},
        {"no such table: Venituri", "nu are toate tabelele", "Restaurare date", true},
        {"table Venituri has no column named Cant_lumanari", "nu are toate tabelele", "Restaurare date", true},
        {"CHECK constraint failed: length(Explicatie) <= 100", "mai lung", "Scurtati textul", true},
        {"out of memory", "Memoria", "Inchideti alte programe", false},
        {"authorization denied", "protejat cu o alta parola", "Restaurare date", false},
        {"some reason never seen before", "nu a putut fi facuta", "Repetati operatia", true},
    };
    for (const auto& c : cases) {
        const QString native = QString::fromLatin1(c.native);
        SCOPED_TRACE(c.native);
        const QString text = DbError::fromStoreText(native, QStringLiteral("Venituri")).text();
        const QString explanation = explanationOf(text);
        EXPECT_FALSE(readsEnglish(explanation)) << text.toStdString();
        EXPECT_TRUE(explanation.contains(QString::fromLatin1(c.says))) << text.toStdString();
        EXPECT_TRUE(explanation.contains(QString::fromLatin1(c.whatToDo))) << text.toStdString();
        EXPECT_EQ(text.endsWith(QStringLiteral("\nDetalii: ") + native), c.detailKept) << text.toStdString();
    }
}
