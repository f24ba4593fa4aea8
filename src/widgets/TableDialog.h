#pragma once

#include "core/DbErrorText.h"
#include "core/UserDialogs.h"
#include "db/DbError.h"

#include <memory>

// Runs a modal dialog that opens its tables while it is created. A store
// error on opening is shown in the wording of the dialog's table ("Eroare de
// acces la tabela parohie!...") and the dialog is not shown.
template <typename Dialog, typename... Args> void execTableDialog(const QString& tableWord, Args&&... args)
{
    std::unique_ptr<Dialog> dialog;
    try {
        dialog = std::make_unique<Dialog>(std::forward<Args>(args)...);
    } catch (const DbError& e) {
        dialogs().error(DbErrorText::forTable(tableWord, e.text()));
        return;
    }
    dialog->exec();
}
