#include "db/DbError.h"

#include "core/ErrorDetail.h"
#include "db/TableDefinitions.h"

#include <QDir>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <optional>

namespace
{

QString nativeText(const QSqlError& error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

// A PostgreSQL server's refusal that a user can cause, by its SQLSTATE; none for the others.
std::optional<DbError> fromServerState(const QString& state, const QString& native, const QString& table)
{
    const QString where = table.isEmpty() ? QString() : QStringLiteral(" in tabela %1").arg(table);
    if (state == QLatin1String("23505"))
        return DbError(
            QStringLiteral("Cheie duplicata%1: exista deja o inregistrare cu aceeasi cheie").arg(where));
    if (state == QLatin1String("23502")) {
        // The column is the first quoted name of the message ("tip_contributie"), in the table's own spelling.
        static const QRegularExpression quotedName(QStringLiteral("[\"\u201e\u00ab]([^\"\u201d\u00bb]+)"));
        QString field = quotedName.match(native).captured(1);
        if (const TableDef* definition = TableDefinitions::find(table))
            if (const FieldDef* defined = definition->field(field))
                field = defined->name;
        return DbError(QStringLiteral("Campul %1 trebuie completat%2").arg(field, where));
    }
    if (state == QLatin1String("22001"))
        return DbError(withDetail(
            QStringLiteral("Un text este mai lung decat permite campul lui%1: nimic nu a fost scris. "
                           "Scurtati textul si repetati operatia")
                .arg(where),
            native));
    return std::nullopt;
}

} // namespace

DbError::DbError(const QString& storeText) : UserError(storeText) {}

DbError DbError::fromSql(const QSqlError& error, const QString& table)
{
    // PostgreSQL names its reason by a five-character SQLSTATE, whatever the
    // language of its messages (SQLite's codes are numbers below 10000).
    const QString state = error.nativeErrorCode();
    if (state.size() == 5)
        if (const std::optional<DbError> told = fromServerState(state, nativeText(error), table))
            return *told;
    return fromStoreText(nativeText(error), table);
}

DbError DbError::fromStoreText(const QString& native, const QString& table)
{
    const QString where = table.isEmpty() ? QString() : QStringLiteral(" in tabela %1").arg(table);
    const auto says = [&native](const char* words) { return native.contains(QLatin1String(words)); };
    if (says("UNIQUE constraint failed"))
        return DbError(
            QStringLiteral("Cheie duplicata%1: exista deja o inregistrare cu aceeasi cheie").arg(where));
    if (says("NOT NULL constraint failed")) {
        const QString field = native.section(QLatin1Char('.'), -1).trimmed();
        return DbError(QStringLiteral("Campul %1 trebuie completat%2").arg(field, where));
    }
    if (says("readonly database") || says("attempt to write a readonly"))
        return DbError(QStringLiteral("Baza de date nu poate fi modificata (fisier protejat la scriere). "
                                      "Verificati ca fisierul si directorul lui pot fi scrise (nu sunt pe un CD "
                                      "sau protejate la scriere) si repetati operatia"));
    if (says("database is locked") || says("database is busy") || says("database table is locked"))
        return DbError(QStringLiteral("Baza de date este folosita de alt program, care nu a eliberat-o nici "
                                      "dupa cateva secunde: operatia nu a fost facuta. Inchideti "
                                      "celalalt program si repetati operatia"));
    if (says("database or disk is full"))
        return DbError(QStringLiteral("Discul este plin: datele nu au putut fi scrise. "
                                      "Eliberati spatiu pe disc si repetati operatia"));
    if (says("disk I/O error"))
        return DbError(QStringLiteral("Eroare la citirea sau scrierea discului: datele nu au putut fi "
                                      "citite sau scrise. Verificati discul si repetati operatia"));
    if (says("database disk image is malformed") || says("malformed database schema"))
        return DbError(QStringLiteral("Fisierul bazei de date este deteriorat: datele lui nu pot fi citite. "
                                      "Folositi o copie buna a datelor (Sistem > Restaurare date...)"));
    if (says("file is not a database") || says("file is encrypted"))
        return DbError(QStringLiteral("Fisierul nu este o baza de date a programului sau este deteriorat. "
                                      "Folositi o copie buna a datelor (Sistem > Restaurare date...)"));
    // The encrypted file layer refuses a file whose password it was not given.
    if (says("authorization denied"))
        return DbError(QStringLiteral("Fisierul bazei de date este protejat cu o alta parola decat datele "
                                      "deschise: nu poate fi citit fara parola lui. Aduceti-l cu Sistem > "
                                      "Restaurare date..., care cere parola lui"));
    if (says("unable to open database file") || says("cannot open file"))
        return DbError(QStringLiteral("Fisierul bazei de date nu poate fi deschis: lipseste sau directorul lui "
                                      "nu poate fi citit. Verificati ca fisierul exista si ca aveti drept de "
                                      "acces la directorul lui"));
    if (says("no such table") || says("no such column") || says("has no column named"))
        return DbError(withDetail(
            QStringLiteral("Baza de date nu are toate tabelele si campurile programului%1: fisierul este "
                           "incomplet sau al altui program. Folositi o copie buna a datelor "
                           "(Sistem > Restaurare date...)")
                .arg(where),
            native));
    if (says("CHECK constraint failed"))
        return DbError(withDetail(
            QStringLiteral("Un text este mai lung decat permite campul lui%1: nimic nu a fost scris. "
                           "Scurtati textul si repetati operatia")
                .arg(where),
            native));
    if (says("out of memory"))
        return DbError(QStringLiteral("Memoria calculatorului nu ajunge pentru operatie. "
                                      "Inchideti alte programe si repetati operatia"));
    return DbError(withDetail(
        QStringLiteral("Operatia nu a putut fi facuta in baza de date%1. Repetati operatia; daca eroarea se "
                       "repeta, faceti o salvare a datelor si cereti ajutor")
            .arg(where),
        native));
}
