#pragma once

#include <QString>

class Dataset;

// Refuses a row whose code another row of the same table already holds:
// every link (incomes, family records, reports) goes by the code alone, so
// each row needs a code of its own. Warns "Codul ... este deja folosit pentru
// ..." and throws SilentAbort.
void refuseCodeInUse(const Dataset& table, const QString& codeField, const QString& nameField);
