#include "db/DocumentSearchIndex.h"

#include "db/Sql.h"
#include "db/Store.h"

namespace DocumentSearchIndex
{

namespace
{

const QList<DocumentKind>& allKinds()
{
    static const QList<DocumentKind> kinds = {DocumentKind::Income, DocumentKind::Payment,
                                              DocumentKind::Deposit, DocumentKind::Withdrawal,
                                              DocumentKind::SalaryOrder};
    return kinds;
}

// unicode61 with remove_diacritics 2 folds every Romanian letter to its
// plain one, the cedilla and the comma-below forms alike.
QString createStatement(const QString& schema)
{
    return QStringLiteral(
               "CREATE VIRTUAL TABLE %1%2 USING fts5(Text, tokenize = 'unicode61 remove_diacritics 2')")
        .arg(schema, tableName);
}

QString joined(const QStringList& parts)
{
    QStringList wrapped;
    for (const QString& p : parts)
        wrapped << QStringLiteral("ifnull(%1, '')").arg(p);
    return wrapped.join(QStringLiteral(" || ' ' || "));
}

QString salaryLinesText(const QString& orderId)
{
    return QStringLiteral("(SELECT group_concat(ifnull(Den_cheltuiala, '') || ' ' || ifnull(Explicatie, ''), "
                          "' ') FROM ItemsSal WHERE Id_CheltSal = %1)")
        .arg(orderId);
}

QString identityOf(DocumentKind kind, const QString& alias)
{
    return alias + (kind == DocumentKind::SalaryOrder ? QStringLiteral(".Id") : QStringLiteral(".rowid"));
}

QString insertOf(DocumentKind kind, const QString& alias, const QString& schema = {})
{
    return QStringLiteral("INSERT INTO %1%2 (rowid, Text) VALUES (%3 * 8 + %4, %5)")
        .arg(schema, tableName, identityOf(kind, alias))
        .arg(int(kind))
        .arg(textExpression(kind, alias));
}

QString deleteOf(DocumentKind kind, const QString& alias)
{
    return QStringLiteral("DELETE FROM %1 WHERE rowid = %2 * 8 + %3")
        .arg(tableName, identityOf(kind, alias))
        .arg(int(kind));
}

// A salary order's text holds its lines: a change of a line writes the order's text again.
QString reindexOrder(const QString& orderId)
{
    return QStringLiteral(
               "DELETE FROM %1 WHERE rowid = %2 * 8 + 4; "
               "INSERT INTO %1 (rowid, Text) SELECT c.Id * 8 + 4, %3 FROM CheltSal c WHERE c.Id = %2;")
        .arg(tableName, orderId, textExpression(DocumentKind::SalaryOrder, QStringLiteral("c")));
}

struct Trigger {
    QString name;
    QString statement;
};

// The fields the text is made of (and a salary order's identity): a change of
// any other field (an amount, a date) leaves the index as it is.
QString indexedFields(DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Income:
        return QStringLiteral("Explicatie, Cod_enorias, Den_enorias, Den_venit");
    case DocumentKind::Payment:
        return QStringLiteral("Explicatie, Beneficiar, Den_cheltuiala");
    case DocumentKind::Deposit:
    case DocumentKind::Withdrawal:
        return QStringLiteral("Fel");
    case DocumentKind::SalaryOrder:
        return QStringLiteral("Id, Explicatie");
    }
    return {};
}

QList<Trigger> triggers()
{
    QList<Trigger> list;
    for (const DocumentKind kind : allKinds()) {
        const QString table = tableOf(kind);
        const QString prefix = tableName + QLatin1Char('_') + table;
        list.append(
            {prefix + QStringLiteral("_insert"), QStringLiteral("AFTER INSERT ON %1 BEGIN %2; END")
                                                     .arg(table, insertOf(kind, QStringLiteral("new")))});
        list.append({prefix + QStringLiteral("_update"),
                     QStringLiteral("AFTER UPDATE OF %1 ON %2 BEGIN %3; %4; END")
                         .arg(indexedFields(kind), table, deleteOf(kind, QStringLiteral("old")),
                              insertOf(kind, QStringLiteral("new")))});
        list.append(
            {prefix + QStringLiteral("_delete"), QStringLiteral("AFTER DELETE ON %1 BEGIN %2; END")
                                                     .arg(table, deleteOf(kind, QStringLiteral("old")))});
    }
    const QString lines = tableName + QStringLiteral("_ItemsSal");
    list.append(
        {lines + QStringLiteral("_insert"), QStringLiteral("AFTER INSERT ON ItemsSal BEGIN %1 END")
                                                .arg(reindexOrder(QStringLiteral("new.Id_CheltSal")))});
    list.append(
        {lines + QStringLiteral("_update"),
         QStringLiteral("AFTER UPDATE OF Id_CheltSal, Den_cheltuiala, Explicatie ON ItemsSal BEGIN %1 %2 END")
             .arg(reindexOrder(QStringLiteral("old.Id_CheltSal")),
                  reindexOrder(QStringLiteral("new.Id_CheltSal")))});
    list.append(
        {lines + QStringLiteral("_delete"), QStringLiteral("AFTER DELETE ON ItemsSal BEGIN %1 END")
                                                .arg(reindexOrder(QStringLiteral("old.Id_CheltSal")))});
    return list;
}

bool hasAllDocumentTables(const QSqlDatabase& db)
{
    for (const DocumentKind kind : allKinds())
        if (!Sql::tableExists(db, tableOf(kind)))
            return false;
    return Sql::tableExists(db, QStringLiteral("ItemsSal"));
}

bool exists(const QSqlDatabase& db, const QString& schemaTable, const QString& type, const QString& name)
{
    return Sql::scalar(
               db,
               QStringLiteral("SELECT count(*) FROM %1 WHERE type = :type AND name = :name").arg(schemaTable),
               {{QStringLiteral(":type"), type}, {QStringLiteral(":name"), name}})
               .toInt() > 0;
}

void fill(const QSqlDatabase& db, const QString& schema)
{
    for (const DocumentKind kind : allKinds())
        Sql::exec(db, QStringLiteral("INSERT INTO %1%2 (rowid, Text) SELECT %3 * 8 + %4, %5 FROM %6 d")
                          .arg(schema, tableName, identityOf(kind, QStringLiteral("d")))
                          .arg(int(kind))
                          .arg(textExpression(kind, QStringLiteral("d")), tableOf(kind)));
}

} // namespace

QString tableOf(DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Income:
        return QStringLiteral("Venituri");
    case DocumentKind::Payment:
        return QStringLiteral("Cheltuieli");
    case DocumentKind::Deposit:
        return QStringLiteral("Depuneri");
    case DocumentKind::Withdrawal:
        return QStringLiteral("Ridicari");
    case DocumentKind::SalaryOrder:
        return QStringLiteral("CheltSal");
    }
    return {};
}

QString textExpression(DocumentKind kind, const QString& alias)
{
    const auto f = [&alias](const char* field) { return alias + QLatin1Char('.') + QLatin1String(field); };
    switch (kind) {
    case DocumentKind::Income:
        // A document that keeps only its parishioner's code (older data) is
        // found by the catalogue's name; the code itself is a word too.
        return joined({f("Explicatie"), f("Cod_enorias"),
                       QStringLiteral("coalesce(nullif(%1, ''), (SELECT Nume_prenume FROM Enoriasi "
                                      "WHERE Cod_enorias = %2))")
                           .arg(f("Den_enorias"), f("Cod_enorias")),
                       f("Den_venit")});
    case DocumentKind::Payment:
        return joined({f("Explicatie"), f("Beneficiar"), f("Den_cheltuiala")});
    case DocumentKind::Deposit:
    case DocumentKind::Withdrawal:
        return joined({f("Fel")});
    case DocumentKind::SalaryOrder:
        return joined({f("Explicatie"), salaryLinesText(f("Id"))});
    }
    return {};
}

bool isComplete(const QSqlDatabase& db)
{
    const QString master = QStringLiteral("sqlite_master");
    if (!exists(db, master, QStringLiteral("table"), tableName))
        return false;
    for (const Trigger& t : triggers())
        if (!exists(db, master, QStringLiteral("trigger"), t.name))
            return false;
    return true;
}

bool needsBuilding(const QSqlDatabase& db)
{
    // The index is SQLite's full-text table; the server has none yet.
    if (Store::of(db).isServer())
        return false;
    return hasAllDocumentTables(db) && !isComplete(db);
}

QStringList ensure(const QSqlDatabase& db)
{
    if (!needsBuilding(db))
        return {};
    // Whatever stands of an incomplete index is made again from the documents.
    for (const Trigger& t : triggers())
        Sql::exec(db, QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(t.name));
    Sql::exec(db, QStringLiteral("DROP TABLE IF EXISTS %1").arg(tableName));
    const QString create = createStatement(QString());
    Sql::exec(db, create);
    for (const Trigger& t : triggers())
        Sql::exec(db, QStringLiteral("CREATE TRIGGER %1 %2").arg(t.name, t.statement));
    fill(db, QString());
    return {create};
}

void ensureForReading(const QSqlDatabase& db)
{
    if (exists(db, QStringLiteral("sqlite_master"), QStringLiteral("table"), tableName) ||
        exists(db, QStringLiteral("sqlite_temp_master"), QStringLiteral("table"), tableName) ||
        !hasAllDocumentTables(db))
        return;
    const QString temp = QStringLiteral("temp.");
    Sql::exec(db, createStatement(temp));
    fill(db, temp);
}

void reindexIncomes(const QSqlDatabase& db, const QList<qint64>& incomeRowIds)
{
    if (!exists(db, QStringLiteral("sqlite_master"), QStringLiteral("table"), tableName))
        return;
    const QString alias = QStringLiteral("d");
    for (const qint64 rowid : incomeRowIds) {
        Sql::execPositional(db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(tableName),
                            {indexRowId(DocumentKind::Income, rowid)});
        Sql::execPositional(db,
                            QStringLiteral("INSERT INTO %1 (rowid, Text) SELECT d.rowid * 8 + %2, %3 FROM Venituri d "
                                           "WHERE d.rowid = ?")
                                .arg(tableName)
                                .arg(int(DocumentKind::Income))
                                .arg(textExpression(DocumentKind::Income, alias)),
                            {rowid});
    }
}

void mergeAll(const QSqlDatabase& db)
{
    if (exists(db, QStringLiteral("sqlite_master"), QStringLiteral("table"), tableName))
        Sql::exec(db, QStringLiteral("INSERT INTO %1 (%1) VALUES ('optimize')").arg(tableName));
}

} // namespace DocumentSearchIndex
