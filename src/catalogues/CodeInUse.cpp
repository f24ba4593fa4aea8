#include "catalogues/CodeInUse.h"

#include "core/SilentAbort.h"
#include "core/UserDialogs.h"
#include "db/Dataset.h"

void refuseCodeInUse(const Dataset& table, const QString& codeField, const QString& nameField)
{
    const int codeColumn = table.fieldIndex(codeField);
    const int nameColumn = table.fieldIndex(nameField);
    const QString code = table.asString(codeField);
    for (int row = 0; row < table.recordCount(); ++row)
        if (row != table.currentRow() && table.rowValue(row, codeColumn).toString() == code) {
            dialogs().warning(QStringLiteral("Codul %1 este deja folosit pentru %2! Alegeti alt cod.")
                                  .arg(code, table.rowValue(row, nameColumn).toString()));
            throw SilentAbort();
        }
}
