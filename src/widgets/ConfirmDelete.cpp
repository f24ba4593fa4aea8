#include "widgets/ConfirmDelete.h"

#include "app/UserDialogs.h"

bool confirmRecordDelete()
{
    return dialogs().question(QStringLiteral("Delete record?"));
}
