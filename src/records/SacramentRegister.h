#pragma once

#include "printing/CsvTable.h"
#include "printing/ReportFrame.h"
#include "records/RecordColumns.h"

#include <QSqlDatabase>
#include <memory>

// A register of the acts recorded in the family sheets, in the layout of the
// parish's paper registers: every act of the table once, ordered by act date
// and number, numbered through the whole register; the heading, the parish
// line and the captions once, at the start.
struct SacramentRegister {
    QString reportTitle; // "Registru botezuri"
    QString heading;     // "REGISTRU PENTRU INSCRIEREA NASCUTILOR SI BOTEZATILOR"
    QString table;       // "Botezuri"
    QString noActs;      // shown instead of a register without a line
    const QList<RecordColumn>& (*columns)();

    static const SacramentRegister& baptisms();
    static const SacramentRegister& marriages();
    static const SacramentRegister& burials();
};

// Holds no window: a report's unit, named as in the older program.
namespace TRepRegActeFrm
{

// "de la Sfanta Biserica <parish> din localitatea <town> in cursul anului <working year>". Throws DbError.
QString parishLine(const QSqlDatabase& db);

// Reads the register's acts and builds it; a register without an act says
// so instead of printing nothing. Throws DbError.
std::unique_ptr<Report> build(const QSqlDatabase& db, const SacramentRegister& sacramentRegister);

// The printed lines of a built register, under its captions.
CsvTable csv(const Report& report, const SacramentRegister& sacramentRegister);

} // namespace TRepRegActeFrm
