#include "db/SchemaUpgrade.h"

#include "db/DbError.h"
#include "db/DocumentSearchIndex.h"
#include "db/Sql.h"
#include "db/Store.h"

namespace SchemaUpgrade
{

namespace
{

QString alterStatement(const QSqlDatabase& db, const QString& table, const QString& field, const QString& sqlType)
{
    const Store& store = Store::of(db);
    return QStringLiteral("ALTER TABLE %1 ADD %2 %3").arg(store.name(table), store.name(field), sqlType);
}

bool hasField(const QSqlDatabase& db, const QString& table, const QString& field)
{
    if (!Sql::tableExists(db, table))
        throw DbError(QStringLiteral("Tabela %1 nu exista in baza de date").arg(table));
    return Sql::fieldNames(db, table).contains(field, Qt::CaseInsensitive);
}

} // namespace

const QList<AddedField>& fields()
{
    static const QList<AddedField> list = {
        {"Parohia", "Val_contributie", "FLOAT"},  {"Venituri", "Cant_lumanari", "FLOAT"},
        {"Cheltuieli", "Cant_lumanari", "FLOAT"}, {"Cheltuieli", "Beneficiar", "CHAR (100)"},
        {"Contor", "PretInOut", "FLOAT"},         {"Enoriasi", "Restanta", "FLOAT"},
        {"Contor", "PretOut", "FLOAT"},           {"Contor", "CodVenLum", "INTEGER"},
        {"Contor", "CodChLum", "INTEGER"},        {"Contor", "CodVenContrib", "INTEGER"},
        {"Bilant", "Cont", "CHAR (30)"},
    };
    return list;
}

bool AddFieldIfMissing(const QSqlDatabase& db, const QString& table, const QString& field,
                       const QString& sqlType)
{
    if (hasField(db, table, field))
        return false;
    Sql::exec(db, alterStatement(db, table, field, sqlType));
    return true;
}

QStringList upgrade(const QSqlDatabase& db, const BeforeFirstChange& beforeFirstChange)
{
    QStringList statements;
    for (const AddedField& f : fields()) {
        const QString table = QString::fromLatin1(f.table);
        const QString field = QString::fromLatin1(f.field);
        if (hasField(db, table, field))
            continue;
        if (statements.isEmpty() && beforeFirstChange)
            beforeFirstChange();
        const QString statement = alterStatement(db, table, field, QString::fromLatin1(f.sqlType));
        Sql::exec(db, statement);
        statements << statement;
    }
    // The search index comes after the fields, whose values it reads.
    if (DocumentSearchIndex::needsBuilding(db)) {
        if (statements.isEmpty() && beforeFirstChange)
            beforeFirstChange();
        statements << DocumentSearchIndex::ensure(db);
    }
    return statements;
}

} // namespace SchemaUpgrade
