#include "records/FamilyData.h"

#include "db/DbError.h"
#include "db/Sql.h"
#include "journal/PersonalFields.h"

#include <QSqlQuery>

bool FamilyData::isName(const QString& text) const
{
    return names.contains(text.trimmed(), Qt::CaseInsensitive);
}

QRegularExpression FamilyData::namesPattern() const
{
    QStringList alternatives;
    for (const QString& n : names)
        alternatives << QRegularExpression::escape(n);
    return QRegularExpression(QStringLiteral("\\b(%1)\\b").arg(alternatives.join(QLatin1Char('|'))),
                              QRegularExpression::CaseInsensitiveOption |
                                  QRegularExpression::UseUnicodePropertiesOption);
}

bool FamilyData::mentions(const QString& text) const
{
    return !names.isEmpty() && !text.isEmpty() && namesPattern().match(text).hasMatch();
}

QString FamilyData::withNamesReplaced(const QString& text, const QString& replacement) const
{
    if (names.isEmpty())
        return text;
    return QString(text).replace(namesPattern(), replacement);
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
    family.name = name.toString().trimmed();
    const auto addName = [&family](const QString& n) {
        if (!n.trimmed().isEmpty() && !family.isName(n))
            family.names << n.trimmed();
    };
    addName(family.name);
    QSqlQuery members =
        Sql::exec(db, QStringLiteral("SELECT Numele FROM MembriiFam WHERE trim(Cod_enorias) = :c"),
                  {{QStringLiteral(":c"), family.code}});
    while (members.next())
        addName(members.value(0).toString());

    QSqlQuery receipts = Sql::exec(
        db, QStringLiteral(
                "SELECT rowid, Data, Cod_enorias, Den_enorias, Explicatie FROM %1 ORDER BY Data, rowid")
                .arg(PersonalFields::receiptsTable));
    const QRegularExpression pattern = family.namesPattern();
    while (receipts.next()) {
        const bool isFamilys = receipts.value(2).toString().trimmed() == family.code ||
                               family.isName(receipts.value(3).toString());
        if (isFamilys || (!family.names.isEmpty() && pattern.match(receipts.value(4).toString()).hasMatch()))
            family.receipts.append({receipts.value(0).toLongLong(), receipts.value(1).toDate(), isFamilys});
    }
    return family;
}
