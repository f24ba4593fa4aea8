#include "insight/DocumentSearch.h"

#include "db/Sql.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <algorithm>

namespace
{

using DocumentSearchIndex::tableName;

// The statement's values, in the order their places ("?") are written.
struct Placeholders {
    QVariantList values;
    QString operator()(const QVariant& value)
    {
        values << value;
        return QStringLiteral("?");
    }
};

// The common columns of every kind, named as the union's outer filter reads them.
QString columnsOf(DocumentKind kind, const SearchCriteria& c, Placeholders& p)
{
    QStringList columns;
    switch (kind) {
    case DocumentKind::Income:
        columns = {
            QStringLiteral("d.rowid"),      QStringLiteral("d.Nr_act"),    QStringLiteral("d.Data"),
            QStringLiteral("d.Cod_venit"),  QStringLiteral("d.Den_venit"), QStringLiteral("d.Den_enorias"),
            QStringLiteral("d.Explicatie"), QStringLiteral("d.Valoarea"),  QStringLiteral("d.Cont")};
        break;
    case DocumentKind::Payment:
        columns = {QStringLiteral("d.rowid"),
                   QStringLiteral("d.Nr_act"),
                   QStringLiteral("d.Data"),
                   QStringLiteral("d.Cod_cheltuiala"),
                   QStringLiteral("d.Den_cheltuiala"),
                   QStringLiteral("d.Beneficiar"),
                   QStringLiteral("d.Explicatie"),
                   QStringLiteral("d.Valoarea"),
                   QStringLiteral("d.Cont")};
        break;
    case DocumentKind::Deposit:
    case DocumentKind::Withdrawal:
        columns = {QStringLiteral("d.rowid"), QStringLiteral("d.Nr_doc"), QStringLiteral("d.Data"),
                   QStringLiteral("NULL"),    QStringLiteral("d.Fel"),    QStringLiteral("NULL"),
                   QStringLiteral("NULL"),    QStringLiteral("d.Suma"),   QStringLiteral("NULL")};
        break;
    case DocumentKind::SalaryOrder: {
        QString lines =
            QStringLiteral("(SELECT coalesce(sum(i.Valoarea), 0) FROM ItemsSal i WHERE i.Id_CheltSal = d.Id");
        QString code = QStringLiteral("NULL");
        if (c.typeCode) {
            code = p(*c.typeCode);
            lines += QStringLiteral(" AND i.Cod_cheltuiala = ") + p(*c.typeCode);
        }
        columns = {QStringLiteral("d.Id"),         QStringLiteral("d.Nr_act"),
                   QStringLiteral("d.Data"),       code,
                   QStringLiteral("NULL"),         QStringLiteral("NULL"),
                   QStringLiteral("d.Explicatie"), lines + QLatin1Char(')'),
                   QStringLiteral("d.Cont")};
        break;
    }
    }
    static const QStringList names = {
        QStringLiteral("Id"),   QStringLiteral("Numar"), QStringLiteral("Data"),
        QStringLiteral("Cod"),  QStringLiteral("Tip"),   QStringLiteral("Nume"),
        QStringLiteral("Expl"), QStringLiteral("Suma"),  QStringLiteral("Cont")};
    QString list = QStringLiteral("%1 AS Fel").arg(int(kind));
    for (int i = 0; i < columns.size(); ++i)
        list += QStringLiteral(", %1 AS %2").arg(columns[i], names[i]);
    return list;
}

QString typeCondition(DocumentKind kind, int code, Placeholders& p)
{
    switch (kind) {
    case DocumentKind::Income:
        return QStringLiteral("d.Cod_venit = ") + p(code);
    case DocumentKind::Payment:
        return QStringLiteral("d.Cod_cheltuiala = ") + p(code);
    case DocumentKind::SalaryOrder:
        return QStringLiteral(
                   "EXISTS (SELECT 1 FROM ItemsSal i WHERE i.Id_CheltSal = d.Id AND i.Cod_cheltuiala = %1)")
            .arg(p(code));
    default:
        return QStringLiteral("0"); // deposits and withdrawals have no type
    }
}

bool hasAccount(DocumentKind kind)
{
    return kind != DocumentKind::Deposit && kind != DocumentKind::Withdrawal;
}

QString selectOf(DocumentKind kind, const SearchCriteria& c, const QString& words, Placeholders& p)
{
    const QString table = DocumentSearchIndex::tableOf(kind);
    const QString columns = columnsOf(kind, c, p);
    QString from = QStringLiteral("%1 d").arg(table);
    QStringList where;
    if (!words.isEmpty()) {
        // The index leads: its matches are looked up in the documents by identity.
        const QString identity =
            kind == DocumentKind::SalaryOrder ? QStringLiteral("d.Id") : QStringLiteral("d.rowid");
        from = QStringLiteral("%1 c JOIN %2 d ON %3 = (c.rowid >> 3)").arg(tableName, table, identity);
        where << QStringLiteral("c.Text MATCH ") + p(words)
              << QStringLiteral("(c.rowid & 7) = %1").arg(int(kind));
    }
    if (c.from)
        where << QStringLiteral("d.Data >= ") + p(c.from->toString(Qt::ISODate));
    if (c.to)
        where << QStringLiteral("d.Data <= ") + p(c.to->toString(Qt::ISODate));
    // Deposits and withdrawals move money between the two accounts: they belong to both.
    if (!c.account.isEmpty() && hasAccount(kind))
        where << QStringLiteral("d.Cont = ") + p(c.account);
    if (c.typeCode)
        where << typeCondition(kind, *c.typeCode, p);
    QString select = QStringLiteral("SELECT %1 FROM %2").arg(columns, from);
    if (!where.isEmpty())
        select += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    return select;
}

} // namespace

QString kindWord(DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Income:
        return QStringLiteral("Incasare");
    case DocumentKind::Payment:
        return QStringLiteral("Plata");
    case DocumentKind::Deposit:
        return QStringLiteral("Depunere");
    case DocumentKind::Withdrawal:
        return QStringLiteral("Ridicare");
    case DocumentKind::SalaryOrder:
        return QStringLiteral("Ordonantare salarii");
    }
    return {};
}

QString fullTextQuery(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{N}\\p{M}]+"));
    QStringList terms;
    for (const QString& word : text.split(separators, Qt::SkipEmptyParts))
        terms << QLatin1Char('"') + word + QStringLiteral("\"*");
    return terms.join(QLatin1Char(' '));
}

QList<FoundDocument> searchDocuments(const QSqlDatabase& db, int year, const SearchCriteria& criteria)
{
    const QString words = fullTextQuery(criteria.text);
    Placeholders p;
    QStringList selects;
    for (int k = 0; k < DocumentSearchIndex::kindCount; ++k) {
        const auto kind = DocumentKind(k);
        if (!criteria.kinds.isEmpty() && !criteria.kinds.contains(kind))
            continue;
        if (criteria.typeCode && !hasAccount(kind))
            continue;
        selects << selectOf(kind, criteria, words, p);
    }
    if (selects.isEmpty())
        return {};
    QString statement = QStringLiteral("SELECT * FROM (%1)").arg(selects.join(QStringLiteral(" UNION ALL ")));
    QStringList outer;
    // Amounts are compared to the cent.
    if (criteria.minAmount)
        outer
            << QStringLiteral("round(coalesce(Suma, 0) * 100) >= round(%1 * 100)").arg(p(*criteria.minAmount));
    if (criteria.maxAmount)
        outer
            << QStringLiteral("round(coalesce(Suma, 0) * 100) <= round(%1 * 100)").arg(p(*criteria.maxAmount));
    if (!outer.isEmpty())
        statement += QStringLiteral(" WHERE ") + outer.join(QStringLiteral(" AND "));
    if (criteria.limit > 0)
        statement += QStringLiteral(" LIMIT %1").arg(criteria.limit);

    QSqlQuery query = Sql::execPositional(db, statement, p.values);
    QList<FoundDocument> found;
    while (query.next()) {
        FoundDocument f;
        f.year = year;
        f.kind = DocumentKind(query.value(0).toInt());
        f.id = query.value(1).toLongLong();
        f.number = query.value(2).toDouble();
        f.date = QDate::fromString(query.value(3).toString().left(10), Qt::ISODate);
        if (!query.value(4).isNull())
            f.typeCode = query.value(4).toInt();
        f.typeName = query.value(5).toString();
        f.name = query.value(6).toString();
        f.explanation = query.value(7).toString();
        f.amount = query.value(8).toDouble();
        f.account = query.value(9).toString();
        found << f;
    }
    if (criteria.limit <= 0)
        sortFoundDocuments(found);
    return found;
}

void sortFoundDocuments(QList<FoundDocument>& documents)
{
    std::stable_sort(documents.begin(), documents.end(), [](const FoundDocument& a, const FoundDocument& b) {
        if (a.year != b.year)
            return a.year < b.year;
        if (a.date != b.date)
            return a.date < b.date;
        if (a.kind != b.kind)
            return int(a.kind) < int(b.kind);
        if (a.number != b.number)
            return a.number < b.number;
        return a.id < b.id;
    });
}
