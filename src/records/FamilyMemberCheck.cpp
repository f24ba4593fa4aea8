#include "records/FamilyMemberCheck.h"

#include "core/SilentAbort.h"
#include "core/UserDialogs.h"
#include "db/Dataset.h"

namespace
{

const QString nameField = QStringLiteral("Numele");
const QString birthField = QStringLiteral("Data_nasterii");

} // namespace

void checkFamilyMember(const Dataset& members)
{
    const QString name = members.asString(nameField);
    if (name.trimmed().isEmpty()) {
        dialogs().warning(QStringLiteral("Completati numele membrului familiei!"));
        throw SilentAbort();
    }
    // The store's key compares exactly, an empty date equal to an empty date.
    const int nameColumn = members.fieldIndex(nameField);
    const int birthColumn = members.fieldIndex(birthField);
    const QVariant birth = members.value(birthField);
    for (int row = 0; row < members.recordCount(); ++row) {
        if (row == members.currentRow() || members.rowValue(row, nameColumn).toString() != name ||
            members.rowValue(row, birthColumn).toDate() != birth.toDate())
            continue;
        dialogs().warning(birth.isNull() ? QStringLiteral("%1 este deja in familie.").arg(name)
                                         : QStringLiteral("%1, nascut la %2, este deja in familie.")
                                               .arg(name, members.displayText(birthField)));
        throw SilentAbort();
    }
}
