#pragma once

#include "transfer/TableSummary.h"

// What the import did in one year's folder: the working year (year 0) is
// the chosen folder itself, each closed year one of its year folders.
struct YearSummary {
    int year = 0;
    QList<TableSummary> tables;
};

// The text of Import.txt: the working year's tables first, then each closed
// year after a line "Anul 2023:", one summary line per table followed by its
// refused rows and the fields the schema could not take.
QString importReportText(const QList<YearSummary>& years);
