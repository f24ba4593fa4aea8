#include "registers/PeriodReportEntry.h"

#include "db/Connection.h"

ReportEntry periodReportEntry(PeriodReport report)
{
    ReportEntry entry;
    entry.name = std::move(report.name);
    entry.caption = std::move(report.caption);
    entry.command = std::move(report.command);
    entry.asksPeriod = true;
    entry.defaults = report.defaults;
    if (report.computation)
        entry.prepare = [computation = std::move(report.computation)](const ReportAnswers& answers,
                                                                      Progress& progress) {
            computation(Connection::database(), answers, progress);
        };
    entry.build = [build = std::move(report.build)](const ReportAnswers& answers) {
        return build(Connection::database(), answers);
    };
    entry.csv = std::move(report.csv);
    return entry;
}

PeriodReport::Computation wholeTable(void (*computation)(const QSqlDatabase&, Progress&))
{
    return [computation](const QSqlDatabase& db, const ReportAnswers&, Progress& progress) {
        computation(db, progress);
    };
}
