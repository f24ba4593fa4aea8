#pragma once

#include "insight/DocumentSearch.h"
#include "printing/CsvTable.h"

// The documents found as a flat CSV list, one line per document, that a
// spreadsheet can sort and sum: year, kind, number, date, type code, type,
// name, explanation, amount (plain number), account.
CsvTable foundDocumentsCsv(const QList<FoundDocument>& documents);
