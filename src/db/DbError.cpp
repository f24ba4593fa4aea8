#include "db/DbError.h"

#include "db/ReplacedFileRescue.h"
#include "db/SqliteHandle.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <sqlite3.h>

namespace
{

QString nativeText(const QSqlError& error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

} // namespace

DbError::DbError(const QString& storeText) : UserError(storeText) {}

DbError DbError::fromSql(const QSqlError& error, const QString& table)
{
    return fromStoreText(nativeText(error), table);
}

DbError DbError::fromStoreText(const QString& native, const QString& table)
{
    const QString where = table.isEmpty() ? QString() : QStringLiteral(" in tabela %1").arg(table);
    if (native.contains(QLatin1String("UNIQUE constraint failed")))
        return DbError(
            QStringLiteral("Cheie duplicata%1: exista deja o inregistrare cu aceeasi cheie").arg(where));
    if (native.contains(QLatin1String("NOT NULL constraint failed"))) {
        const QString field = native.section(QLatin1Char('.'), -1).trimmed();
        return DbError(QStringLiteral("Campul %1 trebuie completat%2").arg(field, where));
    }
    if (native.contains(QLatin1String("readonly database")))
        return DbError(QStringLiteral("Baza de date nu poate fi modificata (fisier protejat la scriere)"));
    if (native.contains(QLatin1String("database is locked")) ||
        native.contains(QLatin1String("database is busy")))
        return DbError(QStringLiteral("Baza de date este folosita de alt program, care nu a eliberat-o nici "
                                      "dupa cateva secunde: operatia nu a fost facuta. Inchideti "
                                      "celalalt program si repetati operatia"));
    if (native.contains(QLatin1String("database or disk is full")))
        return DbError(QStringLiteral("Discul este plin: datele nu au putut fi scrise. "
                                      "Eliberati spatiu pe disc si repetati operatia"));
    if (native.contains(QLatin1String("disk I/O error")))
        return DbError(QStringLiteral("Eroare la citirea sau scrierea discului: datele nu au putut fi "
                                      "citite sau scrise. Verificati discul si repetati operatia"));
    if (native.contains(QLatin1String("file is not a database")))
        return DbError(QStringLiteral("Fisierul nu este o baza de date"));
    if (native.contains(QLatin1String("unable to open database file")))
        return DbError(QStringLiteral("Fisierul bazei de date nu poate fi deschis"));
    return DbError(native.trimmed());
}

bool DbError::fileReplaced(sqlite3* db)
{
    int moved = 0;
    return db && sqlite3_file_control(db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved;
}

DbError DbError::fromConnection(sqlite3* db, const QString& native, const QString& table)
{
    if (!fileReplaced(db))
        return fromStoreText(native, table);
    return DbError(ReplacedFileRescue::rescueAndExplain(db));
}

DbError DbError::fromConnection(const QSqlDatabase& db, const QSqlError& error, const QString& table)
{
    sqlite3* handle = nullptr;
    try {
        handle = sqliteHandle(db);
    } catch (const DbError&) {
        // Not an open SQLite connection: only the text can tell.
    }
    return fromConnection(handle, nativeText(error), table);
}
