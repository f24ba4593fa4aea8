#include "journal/WatchedTables.h"

namespace WatchedTables
{

namespace
{

WatchedTable document(const char* name, const char* number)
{
    return {.name = QString::fromLatin1(name), .numberField = QString::fromLatin1(number),
            .dateField = QStringLiteral("Data"), .isDocument = true};
}

WatchedTable lines(const char* name, const char* number, const char* owner, const char* ownerTable,
                   const char* ownerKey)
{
    return {.name = QString::fromLatin1(name), .numberField = QString::fromLatin1(number),
            .ownerField = QString::fromLatin1(owner), .ownerTable = QString::fromLatin1(ownerTable),
            .ownerKeyField = QString::fromLatin1(ownerKey), .isDocument = true, .isLine = true};
}

WatchedTable other(const char* name, const char* number = "")
{
    return {.name = QString::fromLatin1(name), .numberField = QString::fromLatin1(number)};
}

} // namespace

const QList<WatchedTable>& all()
{
    static const QList<WatchedTable> tables = {
        document("Venituri", "Nr_act"),
        document("Cheltuieli", "Nr_act"),
        document("Depuneri", "Nr_doc"),
        document("Ridicari", "Nr_doc"),
        document("CheltSal", "Nr_act"),
        lines("ItemsSal", "Cod_cheltuiala", "Id_CheltSal", "CheltSal", "Id"),
        document("DocIn", "Numar"),
        lines("ItemIn", "Cod_articol", "Cod", "DocIn", "Cod"),
        other("Enoriasi", "Cod_enorias"),
        other("Tip_venituri", "Cod_venit"),
        other("Tip_cheltuieli", "Cod_cheltuiala"),
        other("Bilant", "Nr_rand"),
        other("Stoc", "ID"),
        other("Parohia"),
        other("Contor"),
        other("Tip_doc", "Denumire"),
        {.name = lockTable, .dateField = QStringLiteral("Data")},
    };
    return tables;
}

const WatchedTable* find(const QString& table)
{
    for (const WatchedTable& t : all())
        if (t.name.compare(table, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QStringList names()
{
    QStringList list;
    for (const WatchedTable& t : all())
        list << t.name;
    return list;
}

QStringList documentHeaders()
{
    QStringList names;
    for (const WatchedTable& t : all())
        if (t.isDocument && !t.isLine)
            names << t.name;
    return names;
}

} // namespace WatchedTables
