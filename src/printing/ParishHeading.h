#pragma once

#include <QSqlDatabase>
#include <QString>

// The parish as its documents name it, from the single record of Parohia.
struct ParishHeading {
    QString archdiocese, deanery, parish, priest, churchwarden;
    // "Loc. <town>, Str. <street> Nr. <number>, Jud. <county>", leaving out the parts not filled in.
    QString address;

    // Throws DbError.
    static ParishHeading read(const QSqlDatabase& db);
};
