#pragma once

#include "printing/ReportCatalog.h"

#include <QString>

class QWidget;

// The contribution situation, the arrears list, one parishioner's
// contribution sheet and the parishioner list, in the program's catalogue
// of reports.
void registerContributionReports(ReportCatalog& catalog, CodePicker pickParishioner);
