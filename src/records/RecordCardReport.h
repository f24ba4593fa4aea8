#pragma once

#include "printing/CsvTable.h"
#include "printing/ReportFrame.h"

#include <QSqlDatabase>
#include <QString>
#include <memory>

// The record card ("Fisa de evidenta": the family members and every recorded
// baptism, marriage, burial and other event) or the family sheet ("Foaia
// familiala": the members only) of one parishioner or of all, each
// parishioner on a new page, landscape.
// Holds no window: a report's unit, named as in the older program.
namespace TRepFisaEnoriasFrm
{

inline const QString reportTitle = QStringLiteral("Fisa de evidenta");
inline const QString recordCardHeading = QStringLiteral("Fisa de evidenta a familiei :");
inline const QString familySheetHeading = QStringLiteral("Foaia familiala");
inline const QString separatePagesQuestion =
    QStringLiteral("Doriti listarea evenimentelor pe pagini separate ?");

enum class Kind { RecordCard, FamilySheet };

struct Options {
    Kind kind = Kind::RecordCard;
    QString code;               // the parishioner; empty for every parishioner, in code order
    bool separatePages = false; // record card: the four event sections each start a new page
    bool compoundNames = false; // the name printed as "name (code)"
};

// Reads the parishioners and their records. A code that matches no
// parishioner gives a report without pages, and a message saying so
// instead of an empty printout. Throws DbError.
std::unique_ptr<Report> build(const QSqlDatabase& db, const Options& options);

// The printed lines of the members' sections of a built report, each under
// its parishioner's code and name as printed.
CsvTable membersCsv(const Report& report, const Options& options);

} // namespace TRepFisaEnoriasFrm
