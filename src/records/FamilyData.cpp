#include "records/FamilyData.h"

#include "db/DbError.h"
#include "db/Sql.h"
#include "journal/PersonalFields.h"

#include <QSqlQuery>
#include <algorithm>

bool FamilyData::isName(const QString& text) const
{
    return names.contains(text.simplified(), Qt::CaseInsensitive);
}

bool FamilyData::mentions(const QString& text) const
{
    return !names.isEmpty() && !text.isEmpty() && m_pattern.match(text).hasMatch();
}

QString FamilyData::withNamesReplaced(const QString& text, const QString& replacement) const
{
    if (names.isEmpty())
        return text;
    return QString(text).replace(m_pattern, replacement);
}

FamilyData FamilyData::read(const QSqlDatabase& db, const QString& code)
{
    FamilyData family;
    family.code = code.trimmed();
    const QVariant name =
        Sql::scalar(db, QStringLiteral("SELECT Nume_prenume FROM Enoriasi WHERE trim(Cod_enorias) = :c"),
                    {{QStringLiteral(":c"), family.code}});
    if (!name.isValid())
        throw DbError(QStringLiteral("Codul %1 nu exista in catalogul enoriasilor.").arg(family.code));
    family.name = name.toString().simplified();
    if (!family.name.isEmpty())
        family.names << family.name;
    // The names of its people in its records: a name of one word alone names no one for sure.
    for (const PersonalTable& table : PersonalFields::all()) {
        if (table.table == PersonalFields::receiptsTable || !Sql::tableExists(db, table.table))
            continue;
        for (const PersonalField& f : table.fields) {
            if (f.kind != PersonalField::Kind::Name)
                continue;
            QSqlQuery found =
                Sql::execPositional(db,
                                    QStringLiteral("SELECT %1 FROM %2 WHERE trim(Cod_enorias) = ?")
                                        .arg(Sql::quoted(f.name), Sql::quoted(table.table)),
                                    {family.code});
            while (found.next()) {
                const QString n = found.value(0).toString().simplified();
                if (n.contains(QLatin1Char(' ')) && !family.isName(n))
                    family.names << n;
            }
        }
    }
    // The longer names first, so that a name is replaced whole before a shorter one inside it.
    QStringList alternatives = family.names;
    std::sort(alternatives.begin(), alternatives.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (QString& n : alternatives)
        n = QRegularExpression::escape(n);
    family.m_pattern = QRegularExpression(
        QStringLiteral("\\b(%1)\\b").arg(alternatives.join(QLatin1Char('|'))),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);

    QSqlQuery receipts = Sql::exec(
        db, QStringLiteral(
                "SELECT rowid, Data, Cod_enorias, Den_enorias, Explicatie FROM %1 ORDER BY Data, rowid")
                .arg(PersonalFields::receiptsTable));
    while (receipts.next()) {
        const bool isFamilys = receipts.value(2).toString().trimmed() == family.code ||
                               family.isName(receipts.value(3).toString());
        if (isFamilys || family.mentions(receipts.value(4).toString()))
            family.receipts.append({receipts.value(0).toLongLong(), receipts.value(1).toDate(), isFamilys});
    }
    return family;
}
