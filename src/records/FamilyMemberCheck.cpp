#include "records/FamilyMemberCheck.h"

#include "core/SilentAbort.h"
#include "core/UserDialogs.h"
#include "db/Dataset.h"

namespace
{

const QString memberNameField = QStringLiteral("Numele");
const QString memberBirthField = QStringLiteral("Data_nasterii");

} // namespace

void checkFamilyMember(const Dataset& members)
{
    const QString name = members.asString(memberNameField);
    if (name.trimmed().isEmpty()) {
        dialogs().warning(QStringLiteral("Completati numele membrului familiei!"));
        throw SilentAbort();
    }
    // The store's key compares exactly, an empty date equal to an empty date.
    const int nameColumn = members.fieldIndex(memberNameField);
    const int birthColumn = members.fieldIndex(memberBirthField);
    const QVariant birth = members.value(memberBirthField);
    for (int row = 0; row < members.recordCount(); ++row) {
        if (row == members.currentRow() || members.rowValue(row, nameColumn).toString() != name ||
            members.rowValue(row, birthColumn).toDate() != birth.toDate())
            continue;
        dialogs().warning(birth.isNull() ? QStringLiteral("%1 este deja in familie.").arg(name)
                                         : QStringLiteral("%1, nascut la %2, este deja in familie.")
                                               .arg(name, members.displayText(memberBirthField)));
        throw SilentAbort();
    }
}
