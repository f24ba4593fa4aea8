#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;
class ReportCatalog;

// The parishioner picker of the catalogues, for the reports of one
// parishioner; empty when the user closes it without a choice.
using ParishionerPicker = std::function<std::optional<QString>(QWidget* caller)>;

// The contribution situation, the arrears list, one parishioner's
// contribution sheet and the parishioner list, in the program's catalogue
// of reports.
void registerContributionReports(ReportCatalog& catalog, ParishionerPicker pickParishioner);
