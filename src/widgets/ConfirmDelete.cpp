#include "widgets/ConfirmDelete.h"

#include "core/UserDialogs.h"

bool confirmRecordDelete()
{
    return dialogs().question(QStringLiteral("Delete record?"));
}
