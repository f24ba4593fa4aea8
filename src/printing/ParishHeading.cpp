#include "printing/ParishHeading.h"

#include "db/Sql.h"

#include <QStringList>

namespace
{

QString joined(const QStringList& parts, const QString& separator)
{
    QStringList filled;
    for (const QString& part : parts)
        if (!part.isEmpty())
            filled << part;
    return filled.join(separator);
}

// `caption` followed by the value, or nothing when the value is empty.
QString captioned(const QString& caption, const QString& value)
{
    const QString trimmed = value.trimmed();
    return trimmed.isEmpty() ? QString() : caption + trimmed;
}

} // namespace

ParishHeading ParishHeading::read(const QSqlDatabase& db)
{
    QSqlQuery query =
        Sql::exec(db, QStringLiteral("SELECT Arhiepiscopia, Protopopiatul, Parohia, Preot, Epitrop, "
                                     "Localitatea, Strada, Nr, Judet FROM Parohia"));
    ParishHeading heading;
    if (!query.next())
        return heading;
    const auto text = [&query](int column) { return query.value(column).toString(); };
    heading.archdiocese = text(0);
    heading.deanery = text(1);
    heading.parish = text(2);
    heading.priest = text(3);
    heading.churchwarden = text(4);
    const QString street =
        joined({captioned(QStringLiteral("Str. "), text(6)), captioned(QStringLiteral("Nr. "), text(7))},
               QStringLiteral(" "));
    heading.address = joined(
        {captioned(QStringLiteral("Loc. "), text(5)), street, captioned(QStringLiteral("Jud. "), text(8))},
        QStringLiteral(", "));
    return heading;
}
