#include "operations/DocumentChecks.h"

#include "core/SilentAbort.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/Sql.h"

#include <QWidget>

namespace
{

// The year an empty date has in the wording of the wrong-year message.
constexpr int emptyDateYear = 1899;

int documentYear(const Dataset& record, const QString& dateField)
{
    const QDate date = record.asDate(dateField);
    return date.isValid() ? date.year() : emptyDateYear;
}

} // namespace

void runChecks(const QList<DocumentCheck>& checks, const Dataset& record)
{
    for (const DocumentCheck& check : checks) {
        if (!check.fails(record))
            continue;
        dialogs().warning(check.message(record));
        if (check.focus)
            check.focus->setFocus(Qt::OtherFocusReason);
        throw SilentAbort();
    }
}

int workingYear()
{
    return Sql::scalar(Connection::database(), QStringLiteral("SELECT An_lucru FROM Parohia")).toInt();
}

DocumentCheck workingYearCheck(const QString& messageStart, const QString& dateField)
{
    // The working year is read once per check run, shared by its test and its message.
    auto year = std::make_shared<int>(0);
    return {[=](const Dataset& record) {
                *year = workingYear();
                return documentYear(record, dateField) != *year;
            },
            [=](const Dataset& record) {
                return messageStart + QString::number(documentYear(record, dateField)) +
                       QStringLiteral(" difera de anul de lucru ") + QString::number(*year) +
                       QStringLiteral(" ! Introduceti o data valida.");
            },
            nullptr};
}

DocumentCheck completenessCheck(const QStringList& fields, const QString& message)
{
    return {[fields](const Dataset& record) {
                for (const QString& field : fields) {
                    const QVariant value = record.value(field);
                    if (value.isNull() ||
                        (value.typeId() == QMetaType::QString && value.toString().isEmpty()))
                        return true;
                }
                return false;
            },
            [message](const Dataset&) { return message; }, nullptr};
}
