#pragma once

#include "printing/ReportCatalog.h"

#include <QString>

class QWidget;

// The record cards, the family sheets and the three sacrament registers:
// "fisa-evidenta" and "fisa-familie" (one parishioner by its code, every
// parishioner without one), "registru-botezati", "registru-cununati",
// "registru-decedati".
void registerRecordReports(ReportCatalog& catalog, CodePicker pick);

// The print menu of the family sheet window: the record card or the family
// sheet of one parishioner (`code`) or of every parishioner (empty code),
// through the print setup; the record card asks the separate-pages question.
void printRecordCard(QWidget* caller, const QString& code);
void printFamilySheet(QWidget* caller, const QString& code);
