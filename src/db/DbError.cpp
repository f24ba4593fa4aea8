#include "db/DbError.h"

#include <QSqlError>

DbError::DbError(const QString& storeText) : UserError(storeText) {}

DbError DbError::fromSql(const QSqlError& error, const QString& table)
{
    return fromStoreText(error.databaseText().isEmpty() ? error.text() : error.databaseText(), table);
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
    if (native.contains(QLatin1String("database is locked")))
        return DbError(QStringLiteral("Baza de date este folosita de alt program"));
    if (native.contains(QLatin1String("file is not a database")))
        return DbError(QStringLiteral("Fisierul nu este o baza de date"));
    if (native.contains(QLatin1String("unable to open database file")))
        return DbError(QStringLiteral("Fisierul bazei de date nu poate fi deschis"));
    return DbError(native.trimmed());
}
